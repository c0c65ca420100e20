#include "goods/picking_window.h"

#include "frame/session.h"
#include "platform/edit_box.h"
#include "platform/message_box.h"
#include "platform/text_conversions.h"
#include "platform/window_shape.h"
#include "ui_picking_window.h"

#include <QDateTime>

namespace goods {

namespace {

constexpr QSize windowSize(580, 300);

} // namespace

PickingWindow::PickingWindow(frame::MainWindow &main)
    : frame::ChildWindow(main), ui(std::make_unique<Ui::PickingWindow>())
{
    ui->setupUi(this);
    connect(ui->按钮_检货信息_保存, &QPushButton::clicked, this, &PickingWindow::savePicking);
}

PickingWindow::~PickingWindow() = default;

void PickingWindow::showPickingPage()
{
    setWindowTitle(QStringLiteral("检货基本信息"));
    ui->选择夹_检货窗口->setCurrentWidget(ui->检货基本信息);
    resize(windowSize);
    platform::centreOnScreen(this);
    resetPickingEntryPage();
    open(QStringLiteral("检货基本信息..."));
}

void PickingWindow::resetPickingEntryPage()
{
    ui->编辑框_检货信息_检货号->setText(frame::documentCounters().number(frame::DocumentKind::Picking));
    platform::fillEditBox(ui->编辑框_检货信息_检货员, frame::currentOperator().name);
    platform::fillEditBox(ui->编辑框_检货信息_检货时间, platform::valueToText(QDateTime::currentDateTime()));
    for (QLineEdit *box : {ui->编辑框_检货信息_货物名称, ui->编辑框_检货信息_实际件数, ui->编辑框_检货信息_实际重量,
                           ui->编辑框_检货信息_实际体积, ui->编辑框_检货信息_计泡重量})
        box->clear();
    ui->选择框_检货信息_计泡否->setChecked(false);
}

Picking PickingWindow::enteredPicking() const
{
    return {ui->编辑框_检货信息_检货号->text(),
            ui->编辑框_检货信息_检货员->text(),
            platform::textToDateTime(ui->编辑框_检货信息_检货时间->text()),
            ui->编辑框_检货信息_货物名称->text(),
            platform::textToInt(ui->编辑框_检货信息_实际件数->text()),
            platform::textToInt(ui->编辑框_检货信息_实际重量->text()),
            platform::textToInt(ui->编辑框_检货信息_实际体积->text()),
            ui->选择框_检货信息_计泡否->isChecked(),
            platform::textToInt(ui->编辑框_检货信息_计泡重量->text())};
}

void PickingWindow::savePicking()
{
    if (ui->编辑框_检货信息_检货号->text().isEmpty() || ui->编辑框_检货信息_实际件数->text().isEmpty()) {
        platform::messageBox(QStringLiteral("检货号或实际件数不能为空"));
        return;
    }
    if (ui->编辑框_检货信息_实际重量->text().isEmpty() || ui->编辑框_检货信息_实际体积->text().isEmpty()) {
        platform::messageBox(QStringLiteral("实际重量或实际体积不能为空"));
        return;
    }
    if (!storePicking(enteredPicking(), frame::documentCounters())) {
        platform::messageBox(QStringLiteral("保存失败!"));
        return;
    }
    platform::messageBox(QStringLiteral("保存成功!"));
    resetPickingEntryPage();
}

void openPickingWindow(frame::MainWindow &main)
{
    (new PickingWindow(main))->showPickingPage();
}

} // namespace goods
