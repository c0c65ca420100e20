#!/usr/bin/env python3
"""Rewrites Qt Designer forms (.ui) the way Designer saves them, so that they open and save
cleanly: the XML declaration, one element a line indented one space a level, an element holding
only text on one line, attributes in their order.

The content stays as it is: the rewritten text is parsed again and compared with the original,
element by element (tag, attributes in order, text), and a file whose content would change, or
that holds anything this cannot write back (comments, mixed text), is refused and left alone.

    scripts/format-ui.py FORM.ui...          rewrite the forms
    scripts/format-ui.py --check FORM.ui...  list the forms that are not formatted, exit 1 if any
"""
import argparse
import sys
import xml.etree.ElementTree as ET

DECLARATION = '<?xml version="1.0" encoding="UTF-8"?>'


class Refused(Exception):
    pass


def parse(data):
    # Comments and processing instructions become nodes, so a form holding one is refused
    # instead of losing it.
    builder = ET.TreeBuilder(insert_comments=True, insert_pis=True)
    try:
        return ET.fromstring(data, parser=ET.XMLParser(target=builder))
    except ET.ParseError as error:
        raise Refused(f"not well-formed XML: {error}") from error


def text_of(element):
    """The element's text as the form means it; None where it only lays out the file."""
    text = element.text
    if not text or (not text.strip() and (len(element) or "\n" in text)):
        return None
    return text


def check_writable(element):
    if not isinstance(element.tag, str):
        raise Refused("holds a comment or processing instruction")
    if element.tag.startswith("{"):
        raise Refused(f"uses an XML namespace: {element.tag}")
    if len(element) and text_of(element) is not None:
        raise Refused(f"<{element.tag}> mixes text and elements")
    for child in element:
        if child.tail and child.tail.strip():
            raise Refused(f"text after <{child.tag}>: {child.tail.strip()!r}")
        check_writable(child)


def content(element):
    return (element.tag, list(element.attrib.items()), text_of(element), [content(c) for c in element])


def escape(text, attribute=False):
    text = text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")
    text = text.replace("\r", "&#13;")
    if attribute:
        text = text.replace("\n", "&#10;").replace("\t", "&#9;")
    return text


def lines(element, depth):
    indent = " " * depth
    attributes = "".join(f' {name}="{escape(value, attribute=True)}"' for name, value in element.attrib.items())
    text = text_of(element)
    if len(element):
        yield f"{indent}<{element.tag}{attributes}>"
        for child in element:
            yield from lines(child, depth + 1)
        yield f"{indent}</{element.tag}>"
    elif text is None:
        yield f"{indent}<{element.tag}{attributes}/>"
    else:
        yield f"{indent}<{element.tag}{attributes}>{escape(text)}</{element.tag}>"


def formatted(data):
    """The form's bytes as Designer writes them; Refused when its content would not survive."""
    root = parse(data)
    check_writable(root)
    result = "\n".join([DECLARATION, *lines(root, 0)]).encode("utf-8") + b"\n"
    if content(parse(result)) != content(root):
        raise Refused("the rewritten form would differ in content")
    return result


def main():
    arguments = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    arguments.add_argument("--check", action="store_true", help="only list the forms that are not formatted")
    arguments.add_argument("forms", nargs="+")
    options = arguments.parse_args()
    status = 0
    for path in options.forms:
        with open(path, "rb") as file:
            data = file.read()
        try:
            result = formatted(data)
        except Refused as error:
            print(f"{path}: refused, {error}", file=sys.stderr)
            status = 1
            continue
        if result == data:
            continue
        if options.check:
            print(f"{path}: not formatted")
            status = 1
            continue
        with open(path, "wb") as file:
            file.write(result)
    return status


if __name__ == "__main__":
    sys.exit(main())
