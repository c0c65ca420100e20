#include "settings/operator_page.h"

#include "frame/roles.h"
#include "platform/edit_box.h"
#include "platform/focus.h"
#include "platform/list_view.h"
#include "platform/message_box.h"
#include "settings/operator_store.h"
#include "ui_operator_page.h"

#include <utility>

namespace settings {

namespace {

const QString addCaption = QStringLiteral("添  加");
const QString modifyCaption = QStringLiteral("修  改");
const QString saveCaption = QStringLiteral("保  存");

using Kind = platform::ColumnKind;
const platform::ListColumns listColumns = {
    {QStringLiteral("登陆帐号"), 70, QStringLiteral("登陆帐号"), Kind::Text},
    {QStringLiteral("姓名"), 80, QStringLiteral("姓名"), Kind::Text},
    {QStringLiteral("密码"), 60, QStringLiteral("密码"), Kind::Text},
    {QStringLiteral("级别"), 70, QStringLiteral("级别"), Kind::Text},
    {QStringLiteral("权限"), 120, QStringLiteral("权限"), Kind::Text},
    {QStringLiteral("部门"), 70, QStringLiteral("部门"), Kind::Text},
    {QStringLiteral("最后登陆时间"), 150, QStringLiteral("最后登陆时间"), Kind::DateTime},
    {QStringLiteral("登陆次数"), 60, QStringLiteral("登陆次数"), Kind::Number},
};
// Columns of the operator list that the page reads back.
constexpr int roleColumn = 3;
constexpr int permissionsColumn = 4;

} // namespace

OperatorPage::OperatorPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::OperatorPage>())
{
    ui->setupUi(this);
    ui->超级列表框_操作员_帐号列表->setColumns(listColumns);

    connect(ui->按钮_操作员_列出用户, &QPushButton::clicked, this, &OperatorPage::listOperators);
    connect(ui->超级列表框_操作员_帐号列表->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &OperatorPage::showSelectedOperator);
    connect(ui->按钮_操作员_添加, &QPushButton::clicked, this, &OperatorPage::addOperator);
    connect(ui->按钮_操作员_修改, &QPushButton::clicked, this, &OperatorPage::modifyOperator);
    connect(ui->按钮_操作员_退出, &QPushButton::clicked, this, &OperatorPage::closeSettingsWindow);
    const QList<QRadioButton *> radios = roleRadios();
    for (int i = 0; i < radios.size(); ++i) {
        const QString role = frame::roleNames().at(i);
        if (role == frame::postOperatorRole)
            connect(radios[i], &QRadioButton::clicked, this, &OperatorPage::applyPostOperatorRole);
        else
            connect(radios[i], &QRadioButton::clicked, this, [this, role] { applyRolePreset(role); });
    }
}

OperatorPage::~OperatorPage() = default;

QList<QRadioButton *> OperatorPage::roleRadios() const
{
    return {ui->单选框_操作员_管理员,   ui->单选框_操作员_业务主管, ui->单选框_操作员_市场主管,
            ui->单选框_操作员_人事主管, ui->单选框_操作员_内务主管, ui->单选框_操作员_岗位操作员};
}

QList<QCheckBox *> OperatorPage::permissionBoxes() const
{
    return {ui->选择框_操作员_受理, ui->选择框_操作员_查询, ui->选择框_操作员_检货, ui->选择框_操作员_仓库,
            ui->选择框_操作员_调度, ui->选择框_操作员_人资, ui->选择框_操作员_后勤, ui->选择框_操作员_市场};
}

QList<std::pair<QLineEdit *, int>> OperatorPage::textBoxColumns() const
{
    return {{ui->编辑框_操作员_登陆帐号, 0},
            {ui->编辑框_操作员_姓名, 1},
            {ui->编辑框_操作员_密码, 2},
            {ui->编辑框_操作员_所属部门, 5}};
}

void OperatorPage::listOperators()
{
    // Replacing the rows is no selection by the operator: it does not run the row display.
    ui->超级列表框_操作员_帐号列表->setListing(readOperators());
}

void OperatorPage::showSelectedOperator()
{
    platform::ReportList *list = ui->超级列表框_操作员_帐号列表;
    const int row = platform::selectedRow(list);
    if (row < 0) {
        platform::messageBox(QStringLiteral("该表项为空!请选择有内容的表项!"));
        list->viewport()->update();
        return;
    }
    for (const auto &[box, column] : textBoxColumns())
        platform::fillEditBox(box, platform::listViewCell(list, row, column));

    const QString role = platform::listViewCell(list, row, roleColumn);
    const int roleIndex = int(frame::roleNames().indexOf(role));
    if (roleIndex < 0)
        return;
    clearRoleRadios();
    // Checked from code, the radio runs no click handler: the preset is applied here.
    roleRadios().at(roleIndex)->setChecked(true);
    if (role != frame::postOperatorRole) {
        applyRolePreset(role);
        return;
    }
    clearPermissionBoxes();
    const QList<QCheckBox *> boxes = permissionBoxes();
    for (const QString &word : platform::listViewCell(list, row, permissionsColumn).split(u'&')) {
        const int wordIndex = int(frame::permissionWords().indexOf(word));
        if (wordIndex >= 0)
            boxes[wordIndex]->setChecked(true);
    }
}

void OperatorPage::applyRolePreset(const QString &role)
{
    const QStringList ticked = frame::rolePresetWords(role);
    const QList<QCheckBox *> boxes = permissionBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(ticked.contains(frame::permissionWords().at(i)));
}

void OperatorPage::applyPostOperatorRole()
{
    ui->分组框_操作员_岗位权限->setEnabled(true);
    clearPermissionBoxes();
}

void OperatorPage::clearRoleRadios()
{
    // A checked radio of an exclusive group refuses to be unchecked by itself.
    for (QRadioButton *radio : {ui->单选框_操作员_管理员, ui->单选框_操作员_内务主管, ui->单选框_操作员_人事主管,
                                ui->单选框_操作员_市场主管, ui->单选框_操作员_业务主管, ui->单选框_操作员_岗位操作员}) {
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
}

void OperatorPage::clearPermissionBoxes()
{
    for (QCheckBox *box : permissionBoxes())
        box->setChecked(false);
}

void OperatorPage::addOperator()
{
    QPushButton *button = ui->按钮_操作员_添加;
    if (button->text() == addCaption) {
        setEditing(true);
        button->setText(saveCaption);
        for (const auto &[box, column] : textBoxColumns())
            box->clear();
        clearRoleRadios();
        ui->单选框_操作员_岗位操作员->setChecked(true);
        clearPermissionBoxes();
        return;
    }
    const OperatorSaveResult result = addOperatorRecord(typedOperator());
    if (showRefusal(result))
        return;
    if (result.outcome == OperatorSaveOutcome::OpenFailed) {
        platform::messageBox(QStringLiteral("打开数据库失败!") + result.error);
        return;
    }
    endEditing(button, addCaption,
               result.outcome == OperatorSaveOutcome::Saved ? QStringLiteral("添加操作员成功!")
                                                            : QStringLiteral("添加操作员失败!") + result.error);
}

void OperatorPage::modifyOperator()
{
    QPushButton *button = ui->按钮_操作员_修改;
    const platform::ReportList *list = ui->超级列表框_操作员_帐号列表;
    const int row = platform::selectedRow(list);
    if (button->text() == modifyCaption) {
        if (row < 0) {
            platform::messageBox(
                QStringLiteral("请先点击列出用户按钮\r\n然后在列表框里选择要修改的项目\r\n再点击修改按钮"));
            return;
        }
        setEditing(true);
        button->setText(saveCaption);
        return;
    }
    // The selected row's own record, whatever account it or any other record holds.
    const OperatorSaveResult result = modifyOperatorRecord(list->listing().recordId(row), typedOperator());
    if (showRefusal(result))
        return;
    endEditing(button, modifyCaption,
               result.outcome == OperatorSaveOutcome::Saved ? QStringLiteral("数据修改成功!")
                                                            : QStringLiteral("数据修改失败!") + result.error);
}

void OperatorPage::setEditing(bool editing)
{
    for (const auto &[box, column] : textBoxColumns())
        box->setEnabled(editing);
    ui->分组框_操作员_级别->setEnabled(editing);
    ui->分组框_操作员_岗位权限->setEnabled(editing);
}

Operator OperatorPage::typedOperator() const
{
    Operator op;
    op.account = ui->编辑框_操作员_登陆帐号->text();
    op.name = ui->编辑框_操作员_姓名->text();
    op.password = ui->编辑框_操作员_密码->text();
    op.department = ui->编辑框_操作员_所属部门->text();
    for (QRadioButton *radio : roleRadios()) {
        if (radio->isChecked()) {
            op.role = radio->text();
            break;
        }
    }
    QStringList words;
    for (QCheckBox *box : permissionBoxes())
        if (box->isChecked())
            words.append(box->text());
    op.permissions = words.join(u'&');
    return op;
}

bool OperatorPage::showRefusal(const OperatorSaveResult &result)
{
    QLineEdit *account = ui->编辑框_操作员_登陆帐号;
    switch (result.outcome) {
    case OperatorSaveOutcome::AccountEmpty:
        platform::messageBox(QStringLiteral("登陆帐号不能为空!"));
        platform::setFocus(account);
        return true;
    case OperatorSaveOutcome::AccountTaken:
        platform::messageBox(QStringLiteral("登陆帐号\"%1\"已被其他操作员使用!请换一个登陆帐号.").arg(account->text()));
        platform::setFocus(account);
        return true;
    case OperatorSaveOutcome::LastAdministrator:
        platform::messageBox(QStringLiteral("至少要保留一个管理员帐号!"));
        return true;
    case OperatorSaveOutcome::Saved:
    case OperatorSaveOutcome::OpenFailed:
    case OperatorSaveOutcome::WriteFailed:
        break;
    }
    return false;
}

void OperatorPage::endEditing(QPushButton *button, const QString &caption, const QString &message)
{
    setEditing(false);
    platform::messageBox(message);
    button->setText(caption);
}

void OperatorPage::closeSettingsWindow()
{
    window()->close();
}

} // namespace settings
