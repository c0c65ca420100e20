#include "goods/picking_window.h"

#include "frame/db_access.h"
#include "frame/session.h"
#include "platform/dialogs.h"
#include "platform/text_conversions.h"
#include "platform/window_shape.h"
#include "ui_picking_window.h"

#include <QDateTime>

namespace goods {

namespace {

constexpr QSize windowSize(580, 300);

} // namespace

PickingWindow::PickingWindow(QWidget *parent) : frame::ChildWindow(parent), ui(std::make_unique<Ui::PickingWindow>())
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
    ui->编辑框_检货信息_检货员->setText(frame::currentOperator().name);
    ui->编辑框_检货信息_检货时间->setText(platform::valueToText(QDateTime::currentDateTime()));
    for (QLineEdit *box : {ui->编辑框_检货信息_货物名称, ui->编辑框_检货信息_实际件数, ui->编辑框_检货信息_实际重量,
                           ui->编辑框_检货信息_实际体积, ui->编辑框_检货信息_计泡重量})
        box->clear();
    ui->选择框_检货信息_计泡否->setChecked(false);
}

bool PickingWindow::appendPicking(platform::Recordset &rs)
{
    rs.addNew();
    rs.writeText(QStringLiteral("检货号"), ui->编辑框_检货信息_检货号->text());
    rs.writeText(QStringLiteral("检货员"), ui->编辑框_检货信息_检货员->text());
    rs.writeDateTime(QStringLiteral("检货时间"), platform::textToDateTime(ui->编辑框_检货信息_检货时间->text()));
    rs.writeText(QStringLiteral("货物名称"), ui->编辑框_检货信息_货物名称->text());
    rs.writeInt(QStringLiteral("实际件数"), platform::textToInt(ui->编辑框_检货信息_实际件数->text()));
    rs.writeInt(QStringLiteral("实际重量"), platform::textToInt(ui->编辑框_检货信息_实际重量->text()));
    rs.writeInt(QStringLiteral("实际体积"), platform::textToInt(ui->编辑框_检货信息_实际体积->text()));
    rs.writeText(QStringLiteral("计抛否"),
                 ui->选择框_检货信息_计泡否->isChecked() ? QStringLiteral("是") : QStringLiteral("否"));
    rs.writeInt(QStringLiteral("计抛重量"), platform::textToInt(ui->编辑框_检货信息_计泡重量->text()));
    return rs.update();
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
    // The permanent record, its queued copy and the advanced picking number are saved together or
    // not at all, so no saved picking can miss the order desk's queue or lend its number again.
    platform::WriteSession session(frame::dataFilePath(QStringLiteral("main.mdb")),
                                   {frame::DocumentCounters::counterAttachment()});
    const bool saved =
        frame::DbAccess().openForSave(session, QStringLiteral("检货及仓库")) && appendPicking(session.records()) &&
        session.openTable(QStringLiteral("检货临时库")) && appendPicking(session.records()) &&
        frame::documentCounters().nextDocumentNumber(session, frame::DocumentKind::Picking) && session.commit();
    if (!saved) {
        platform::messageBox(QStringLiteral("保存失败!"));
        return;
    }
    platform::messageBox(QStringLiteral("保存成功!"));
    resetPickingEntryPage();
}

void openPickingWindow()
{
    (new PickingWindow)->showPickingPage();
}

} // namespace goods
