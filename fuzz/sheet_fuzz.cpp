#include "platform/sheet_grid.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

// The sheet each input is loaded over: a file that is no sheet must leave it as it was.
const QByteArray before = R"({"columns": [50, 60],
"rows": [{"height": 30, "merges": [[1, 2]], "cells": [{"column": 1, "text": "标题", "align": "center"}]}]})";

} // namespace

// Any bytes as a grid file: no crash and no undefined behaviour; a refused file changes nothing;
// a loaded one saves to a file that loads back the same sheet and saves to the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    platform::Sheet reference;
    platform::Sheet sheet;
    if (!reference.loadFromBytes(before) || !sheet.loadFromBytes(before))
        std::abort();
    if (!sheet.loadFromBytes(bytes)) {
        if (!sheet.sameContent(reference))
            std::abort();
        return 0;
    }
    const QByteArray saved = sheet.saveToBytes();
    platform::Sheet again;
    if (saved.isEmpty() || !again.loadFromBytes(saved) || !again.sameContent(sheet) || again.saveToBytes() != saved)
        std::abort();
    return 0;
}
