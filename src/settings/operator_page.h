#pragma once

#include <QList>
#include <QWidget>
#include <memory>
#include <utility>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace Ui {
class OperatorPage;
}

namespace settings {

struct Operator;
struct OperatorSaveResult;

// The page 操作员 of 系统菜单窗口: lists the operator accounts of system.mdb and adds or modifies
// one. It either shows an account (boxes and groups disabled) or edits one (all enabled).
class OperatorPage final : public QWidget
{
    Q_OBJECT

public:
    explicit OperatorPage(QWidget *parent = nullptr);
    ~OperatorPage() override;

    void listOperators();
    void showSelectedOperator();
    // Ticks exactly the permission boxes of one of the five preset roles.
    void applyRolePreset(const QString &role);
    void applyPostOperatorRole();
    void clearRoleRadios();
    void clearPermissionBoxes();
    void addOperator();
    void modifyOperator();

private:
    // In the orders of frame::roleNames() and frame::permissionWords().
    QList<QRadioButton *> roleRadios() const;
    QList<QCheckBox *> permissionBoxes() const;
    // The four text boxes with the list column each one shows.
    QList<std::pair<QLineEdit *, int>> textBoxColumns() const;

    void setEditing(bool editing);
    Operator typedOperator() const;
    // Tells why a save was refused, the page staying in its editing state; false for any other result.
    bool showRefusal(const OperatorSaveResult &result);
    // Back from editing to showing, after the save's message.
    void endEditing(QPushButton *button, const QString &caption, const QString &message);
    void closeSettingsWindow();

    std::unique_ptr<Ui::OperatorPage> ui;
};

} // namespace settings
