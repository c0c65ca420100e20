#include "platform/edit_box.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

// Where the box draws its cursor once painted: near the left edge when the view shows the
// text's beginning.
int paintedCursorLeft(QLineEdit &box)
{
    box.grab();
    return box.inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
}

TEST(EditBox, FilledLongTextShowsItsBeginningAndRunsNoTypingHandler)
{
    const QString longText = QStringLiteral("浙江省杭州市西湖区文三路一百二十号华星科技大厦东楼十二层货运部收");
    QLineEdit box;
    box.resize(120, 22);
    box.show();
    int typed = 0;
    QObject::connect(&box, &QLineEdit::textEdited, [&typed] { ++typed; });
    box.setText(longText); // a plain fill leaves the view on the text's end
    ASSERT_GT(paintedCursorLeft(box), 60);

    platform::fillEditBox(&box, longText + QStringLiteral("一"));
    EXPECT_EQ(box.text(), longText + QStringLiteral("一"));
    EXPECT_EQ(box.cursorPosition(), 0);
    EXPECT_LT(paintedCursorLeft(box), 10);
    EXPECT_EQ(typed, 0);
}

} // namespace
