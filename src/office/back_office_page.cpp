#include "office/back_office_page.h"

#include "frame/main_window.h"
#include "ui_back_office_page.h"

namespace office {

namespace {

constexpr int pageIndex = 7;

} // namespace

BackOfficePage::BackOfficePage(frame::MainWindow &main)
    : QWidget(&main), ui(std::make_unique<Ui::BackOfficePage>()), m_main(main)
{
    ui->setupUi(this);
    connect(ui->按钮_后勤支出_退出, &QPushButton::clicked, this, &BackOfficePage::leaveBackOfficePage);
}

BackOfficePage::~BackOfficePage() = default;

void BackOfficePage::openBackOfficePage()
{
    m_main.showWorkPage(pageIndex, ui->外形框_后勤支出_底框, QStringLiteral("后勤支出管理..."));
}

void BackOfficePage::leaveBackOfficePage()
{
    m_main.returnToStartPage();
}

} // namespace office
