#include "app/korvoUnit.h"

#include "app/application.h"
#include "app/checkUnit.h"
#include "app/dialogs.h"
#include "app/errorhandler.h"
#include "app/vmxAbout.h"
#include "drive/driveinfo.h"
#include "lang/languagelist.h"
#include "lang/prefUnit.h"
#include "platform/failure.h"
#include "platform/paths.h"
#include "report/reportUnit.h"
#include "restore/bytestodisplay.h"
#include "restore/copyUnit.h"
#include "restore/goOnUnit.h"
#include "robot/robotdiscovery.h"
#include "support/troubleUnit.h"
#include "support/versionUnit.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

TkorvoForm* korvoForm = nullptr;

using velmora::app::guarded;
using velmora::app::MsgIcon;
using velmora::app::showMessage;

namespace {

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* folderButton(const char* name, const QString& hint) {
    auto* button = named(new QPushButton(QStringLiteral("...")), name);
    button->setToolTip(hint);
    button->setFixedWidth(36);
    return button;
}

QLabel* newSpaceLabel(const char* name) {
    auto* label = named(new QLabel, name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

TkorvoForm::TkorvoForm(const QString& folder, QWidget* parent) : QMainWindow(parent) {
    programFolder = folder.isEmpty() ? velmora::platform::programFolder() : folder;
    if (!programFolder.endsWith(u'/'))
        programFolder += u'/';
    buildControls();
    FormCreate();
}

TkorvoForm::~TkorvoForm() {
    // The shared lists go with the window; the robot library is closed after them.
    rIDList.clear();
    rDriveList.clear();
    robots.KQ_Robots_Close();
}

void TkorvoForm::buildControls() {
    setObjectName(QStringLiteral("korvoForm"));
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setToolTip(QString::fromLatin1(version));

    // Menus.
    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* fileMenu = File1;
    pref = fileMenu->addAction(QStringLiteral("偏好設定"));
    openReport = fileMenu->addAction(QStringLiteral("開啟報表"));
    openReport->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    Quit = fileMenu->addAction(QStringLiteral("離開"));
    Quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    H1 = menuBar()->addMenu(QStringLiteral("Help"));
    QMenu* helpMenu = H1;
    checkVersion = helpMenu->addAction(QStringLiteral("檢查版本更新"));
    help = helpMenu->addAction(QStringLiteral("幫助"));
    help->setShortcut(QKeySequence(QStringLiteral("Ctrl+H")));
    feeback = helpMenu->addAction(QStringLiteral("回報問題"));
    about = helpMenu->addAction(QStringLiteral("關於.."));
    pref->setObjectName(QStringLiteral("pref"));
    openReport->setObjectName(QStringLiteral("openReport"));
    Quit->setObjectName(QStringLiteral("Quit"));
    checkVersion->setObjectName(QStringLiteral("checkVersion"));
    help->setObjectName(QStringLiteral("help"));
    feeback->setObjectName(QStringLiteral("feeback"));
    about->setObjectName(QStringLiteral("about"));

    auto* central = new QWidget;
    auto* page = new QVBoxLayout(central);
    page->setContentsMargins(16, 12, 16, 12);
    page->setSpacing(10);

    // Source drive and (hidden) language.
    auto* sourceRow = new QGridLayout;
    deviceCombo = named(new QComboBox, "deviceCombo");
    lanCombo = named(new QComboBox, "lanCombo");
    deviceLabel = named(new QLabel(QStringLiteral("來源裝置:")), "deviceLabel");
    lanLabel = named(new QLabel(QStringLiteral("介面語系:")), "lanLabel");
    deviceLabel->setBuddy(deviceCombo);
    sourceRow->addWidget(deviceLabel, 0, 0);
    sourceRow->addWidget(deviceCombo, 0, 1);
    sourceRow->addWidget(lanLabel, 1, 0);
    sourceRow->addWidget(lanCombo, 1, 1);
    sourceRow->setColumnStretch(1, 1);
    lanLabel->hide();
    lanCombo->hide();
    page->addLayout(sourceRow);

    // Destination modes.
    pathGroup = named(new QGroupBox(QStringLiteral("光碟回存路徑設定")), "pathGroup");
    auto* paths = new QGridLayout(pathGroup);
    r1 = named(new QRadioButton(QStringLiteral("一般光碟回存路徑")), "r1");
    r2 = named(new QRadioButton(QStringLiteral("依照光碟種類")), "r2");
    r3 = named(new QRadioButton(QStringLiteral("依照光碟索引檔回存")), "r3");
    path1 = named(new QLineEdit, "path1");
    path2 = named(new QLineEdit, "path2");
    path3 = named(new QLineEdit, "path3");
    path4 = named(new QLineEdit, "path4");
    path5 = named(new QLineEdit, "path5");
    btn1 = folderButton("btn1", QStringLiteral("一般光碟回存路徑"));
    btn2 = folderButton("btn2", QStringLiteral("CD儲存路徑"));
    btn3 = folderButton("btn3", QStringLiteral("DVD儲存路徑"));
    btn4 = folderButton("btn4", QStringLiteral("BD儲存路徑"));
    btn5 = folderButton("btn5", QStringLiteral("依照光碟索引檔回存"));
    s1 = newSpaceLabel("s1");
    s2 = newSpaceLabel("s2");
    s3 = newSpaceLabel("s3");
    s4 = newSpaceLabel("s4");
    s5 = newSpaceLabel("s5");
    path2Label = named(new QLabel(QStringLiteral("CD儲存路徑:")), "path2Label");
    path3Label = named(new QLabel(QStringLiteral("DVD儲存路徑:")), "path3Label");
    path4Label = named(new QLabel(QStringLiteral("BD儲存路徑:")), "path4Label");
    int row = 0;
    auto addPathRow = [&](QLabel* label, QLineEdit* edit, QPushButton* button, QLabel* space) {
        if (label)
            paths->addWidget(label, row, 0);
        paths->addWidget(edit, row, 1);
        paths->addWidget(button, row, 2);
        ++row;
        paths->addWidget(space, row++, 1);
    };
    paths->addWidget(r1, row++, 0, 1, 3);
    addPathRow(nullptr, path1, btn1, s1);
    paths->addWidget(r2, row++, 0, 1, 3);
    addPathRow(path2Label, path2, btn2, s2);
    addPathRow(path3Label, path3, btn3, s3);
    addPathRow(path4Label, path4, btn4, s4);
    paths->addWidget(r3, row++, 0, 1, 3);
    addPathRow(nullptr, path5, btn5, s5);
    paths->setColumnStretch(1, 1);
    r1->setChecked(true);
    page->addWidget(pathGroup);

    // Per-disc subfolder and its naming.
    discCheck = named(new QCheckBox(QStringLiteral("每片光碟個建立子資料夾儲存")), "discCheck");
    discCheck->setToolTip(discCheck->text());
    discCheck->setChecked(true);
    autoLoad = named(new QCheckBox(QStringLiteral("自動換片")), "autoLoad");
    autoLoad->setToolTip(autoLoad->text());
    autoLoad->setChecked(true);
    autoLoad->hide();
    page->addWidget(discCheck);
    page->addWidget(autoLoad);

    optionGroup = named(new QGroupBox(QStringLiteral("選項設定")), "optionGroup");
    auto* options = new QGridLayout(optionGroup);
    op1 = named(new QRadioButton(QStringLiteral("使用光碟名稱")), "op1");
    op2 = named(new QRadioButton(QStringLiteral("使用光碟名稱+日期時間(YYYYMMDDhhmm)")), "op2");
    op3 = named(new QRadioButton(QStringLiteral("使用前置文字+流水號")), "op3");
    // The three choices untick each other in their click rule, not by Qt's grouping.
    for (QRadioButton* op : {op1, op2, op3})
        op->setAutoExclusive(false);
    op1->setChecked(true);
    fWord = named(new QLineEdit(QStringLiteral("Disc")), "fWord");
    fWord->setToolTip(QStringLiteral("前置文字"));
    fWord->setMaxLength(38);
    fWord->setEnabled(false);
    fNumber = named(new QLineEdit(QStringLiteral("00001")), "fNumber");
    fNumber->setToolTip(QStringLiteral("流水號"));
    fNumber->setMaxLength(5);
    fNumber->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), fNumber));
    fNumber->setEnabled(false);
    auto* serialRow = new QHBoxLayout;
    serialRow->addWidget(fWord, 3);
    serialRow->addWidget(new QLabel(QStringLiteral("-")));
    serialRow->addWidget(fNumber, 1);
    options->addWidget(op1, 0, 0);
    options->addWidget(op2, 1, 0);
    options->addWidget(op3, 2, 0);
    options->addLayout(serialRow, 3, 0);
    page->addWidget(optionGroup);

    // Collision policy: a three-column radio group.
    cOption = named(new QGroupBox(QStringLiteral("檔案覆蓋設定")), "cOption");
    cOptionItems = new QButtonGroup(cOption);
    auto* policies = new QGridLayout(cOption);
    const QStringList policyTexts{QStringLiteral("保留兩個檔案並重新命名"),
                                  QStringLiteral("覆蓋已存在的檔案"), QStringLiteral("保留已存在的檔案")};
    for (int i = 0; i < policyTexts.size(); ++i) {
        auto* item = new QRadioButton(policyTexts.at(i));
        cOptionItems->addButton(item, i);
        policies->addWidget(item, 0, i);
    }
    cOptionItems->button(0)->setChecked(true);
    page->addWidget(cOption);

    // Start and save.
    auto* buttons = new QHBoxLayout;
    startBtn = named(new QPushButton(QStringLiteral("開始")), "startBtn");
    startBtn->setToolTip(startBtn->text());
    saveSet = named(new QPushButton(QStringLiteral("儲存設定")), "saveSet");
    saveSet->setToolTip(saveSet->text());
    startBtn->setMinimumHeight(40);
    saveSet->setMinimumHeight(40);
    buttons->addWidget(startBtn, 2);
    buttons->addWidget(saveSet, 1);
    page->addStretch(1);
    page->addLayout(buttons);

    setCentralWidget(central);
    setFixedWidth(680);
    setMinimumHeight(710);
    setMaximumHeight(740);
    resize(680, 710);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    r1Click();
    setRobotFlag(0);

    connect(r1, &QRadioButton::clicked, this, guarded([this] { r1Click(); }));
    connect(r2, &QRadioButton::clicked, this, guarded([this] { r2Click(); }));
    connect(r3, &QRadioButton::clicked, this, guarded([this] { r3Click(); }));
    connect(discCheck, &QCheckBox::clicked, this, guarded([this] { discCheckClick(); }));
    for (QRadioButton* op : {op1, op2, op3})
        connect(op, &QRadioButton::clicked, this, guarded([this, op] { op1Click(op->objectName()); }));
    for (int row = 1; row <= 5; ++row) {
        auto* button = centralWidget()->findChild<QPushButton*>(QStringLiteral("btn%1").arg(row));
        connect(button, &QPushButton::clicked, this, guarded([this, row] { btn1Click(row); }));
    }
    connect(saveSet, &QPushButton::clicked, this, guarded([this] { saveSetClick(); }));
    connect(pref, &QAction::triggered, this, guarded([this] { prefClick(); }));
    connect(openReport, &QAction::triggered, this, guarded([this] { openReportClick(); }));
    connect(checkVersion, &QAction::triggered, this, guarded([] { versionForm->exec(); }));
    connect(feeback, &QAction::triggered, this, guarded([] { feebackForm->exec(); }));
    connect(Quit, &QAction::triggered, this, guarded([this] { QuitClick(); }));
    connect(help, &QAction::triggered, this, guarded([this] { helpClick(); }));
    connect(about, &QAction::triggered, this, guarded([this] { aboutClick(); }));
}

void TkorvoForm::FormCreate() {
    fox.DLLName = QStringLiteral("FoxSDKU32w.dll");
    fox.setLibraryFolder(programFolder);
    robots.setLibraryFolder(programFolder);
    fox.setActive(true);

    dataFolder = velmora::platform::userDataFolder();
    // The application-data folder itself may be missing on a fresh account.
    QDir().mkpath(dataFolder);
    settingsFile = dataFolder + QStringLiteral("/backSettings.ini");
    mySetting.setFileName(settingsFile);

    if (fox.LastError() != 0) {
        showMessage(this, MsgIcon::Error, QStringLiteral("DLL Error:") + fox.LastErrorText());
        velmora::app::requestTermination();
        return;
    }
    if (!fox.GetDevices()) {
        showMessage(this, MsgIcon::Error, QStringLiteral("Device Error:") + fox.LastErrorText());
        velmora::app::requestTermination();
    } else if (fox.DeviceCount() <= 1) {
        showMessage(this, MsgIcon::Error, QStringLiteral("No Device Found!"));
        velmora::app::requestTermination();
    }

    for (int i = 2; i <= fox.DeviceCount(); ++i)
        deviceCombo->addItem(fox.deviceName(i));
    if (deviceCombo->count() > 0) {
        deviceCombo->setCurrentIndex(0);
        connect(deviceCombo, &QComboBox::activated, this, guarded([this] { deviceComboChange(); }));
    }

    const velmora::lang::LanguageList languages = velmora::lang::readLanguageList(programFolder);
    lanCombo->addItems(languages.names);
    if (!languages.ok)
        languageListError_ = languages.error;
}

int TkorvoForm::robotFlag() const {
    return startBtn->property("tag").toInt();
}

void TkorvoForm::setRobotFlag(int flag) {
    startBtn->setProperty("tag", flag);
}

bool TkorvoForm::getRobot() {
    return velmora::robot::discoverRobots(robots, dataFolder, robotID, {rIDList, rDriveList},
                                          [this](const QString& line) { reportList.append(line); });
}

void TkorvoForm::deviceComboChange() {
    const QString entry = deviceCombo->currentIndex() >= 0 ? deviceCombo->currentText() : QString();
    dbName.clear();
    setRobotFlag(0);
    const int found = velmora::robot::findRobotDrive(entry, rDriveList);
    if (found < 0) {
        autoLoad->setChecked(false);
        autoLoad->setEnabled(false);
        return;
    }
    autoLoad->setEnabled(true);
    autoLoad->setChecked(true);
    robotID = rIDList.at(found).toInt();
    robotDrive = entry.at(0).toLatin1();
    setRobotFlag(1);
}

int TkorvoForm::getMediaInfo() {
    return velmora::drive::getMediaInfo(fox, deviceCombo->currentIndex());
}

bool TkorvoForm::settingsFileExists() const {
    return QFileInfo::exists(settingsFile);
}

void TkorvoForm::loadSettings() {
    // A settings file that cannot be read leaves every option at its default.
    mySetting.load(*this);
}

bool TkorvoForm::loadLan() {
    using velmora::lang::languageFile;
    const int position = lanCombo->currentIndex();
    const QString name = position >= 0 ? lanCombo->itemText(position) : QString();
    auto fail = [this](const QString& text) {
        showMessage(isVisible() ? this : nullptr, MsgIcon::Error, text);
        return false;
    };
    if (name.isEmpty()) {
        if (!languageListError_.isEmpty())
            return fail(QStringLiteral("The language list Language.txt could not be read (%1). "
                                       "The built-in texts are shown.")
                            .arg(languageListError_));
        return fail(QStringLiteral("No language is listed at position %1 of Language.txt. "
                                   "The built-in texts are shown.")
                        .arg(position));
    }
    const QString file = languageFile(programFolder, name);
    QString error;
    if (file.isEmpty() || !messages.load(file, &error))
        return fail(
            QStringLiteral("The language file \"%1.txt\" could not be read (%2). The texts stay as they are.")
                .arg(name, file.isEmpty() ? QStringLiteral("not a file name") : error));

    // The lines of the file, in the order they are put on the windows.
    using Set = std::function<void(const QString&)>;
    auto text = [](auto* widget) { return Set([widget](const QString& t) { widget->setText(t); }); };
    auto title = [](QWidget* window) {
        return Set([window](const QString& t) { window->setWindowTitle(t); });
    };
    auto hint = [](auto* widget) { return Set([widget](const QString& t) { widget->setToolTip(t); }); };
    auto group = [](QGroupBox* box) { return Set([box](const QString& t) { box->setTitle(t); }); };
    auto menu = [](QMenu* m) { return Set([m](const QString& t) { m->setTitle(t); }); };
    const std::vector<std::pair<int, Set>> lines{
        {105, text(deviceLabel)},
        {106, text(lanLabel)},
        {107, group(pathGroup)},
        {135, text(r1)},
        {108, text(r2)},
        {181, text(r3)},
        {109, text(path2Label)},
        {110, text(path3Label)},
        {111, text(path4Label)},
        {112, text(discCheck)},
        {113, group(optionGroup)},
        {114, text(op1)},
        {115, text(op2)},
        {116, text(op3)},
        {117, group(cOption)},
        {118, text(cOptionItems->button(0))},
        {119, text(cOptionItems->button(1))},
        {120, text(cOptionItems->button(2))},
        {121, text(startBtn)},
        {122, text(saveSet)},
        {123, title(copyForm)},
        {136, text(copyForm->copyLabel)},
        {125, title(goOnForm)},
        {125, text(goOnForm->goLabel)},
        {126, text(goOnForm->okBtn)},
        {127, text(goOnForm->cancelBtn)},
        {182, title(feebackForm)},
        {183, text(feebackForm->mailBoxLabel)},
        {184, text(feebackForm->mailLabel)},
        {185, text(feebackForm->qMemoLabel)},
        {186, text(feebackForm->sendBtn)},
        {127, text(feebackForm->cancelBtn)},
        {187, text(autoLoad)},
        {216, hint(btn1)},
        {217, hint(btn2)},
        {218, hint(btn3)},
        {219, hint(btn4)},
        {220, hint(btn5)},
        {223, hint(saveSet)},
        {224, hint(startBtn)},
        {225, hint(fWord)},
        {226, hint(fNumber)},
        {227, hint(discCheck)},
        {228, hint(autoLoad)},
        {69, text(Quit)},
        {222, text(openReport)},
        {221, text(feeback)},
        {7, text(help)},
        {8, text(about)},
        {301, menu(File1)},
        {302, menu(H1)},
        {303, text(pref)},
        {304, text(checkVersion)},
        {304, title(versionForm)},
        {305, title(checkForm)},
        {306, text(checkForm->checkLabel)},
        {62, text(prefForm->okBtn)},
        {63, text(prefForm->cancelBtn)},
        {44, text(prefForm->lanLabel)},
        {6, title(prefForm)},
        {139, text(reportForm->saveAs)},
    };
    for (const auto& [line, set] : lines) {
        const std::optional<QString> value = messages.line(line);
        if (!value)
            return fail(QStringLiteral("The language file \"%1.txt\" ends before line %2; "
                                       "texts from there on keep their previous wording.")
                            .arg(name)
                            .arg(line));
        set(*value);
    }
    return true;
}

void TkorvoForm::lanComboChange() {
    loadLan();
}

void TkorvoForm::attachLanguageHandler() {
    if (languageHandlerAttached_)
        return;
    languageHandlerAttached_ = true;
    connect(lanCombo, &QComboBox::activated, this, guarded([this] { lanComboChange(); }));
}

void TkorvoForm::r1Click() {
    path1->setEnabled(true);
    btn1->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{path2, path3, path4, btn2, btn3, btn4, path5, btn5})
        w->setEnabled(false);
    discCheck->setEnabled(true);
    optionGroup->setEnabled(true);
}

void TkorvoForm::r2Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{path1, btn1, path5, btn5})
        w->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{path2, path3, path4, btn2, btn3, btn4})
        w->setEnabled(true);
    discCheck->setEnabled(true);
    optionGroup->setEnabled(true);
}

void TkorvoForm::r3Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{path1, btn1, path2, path3, path4, btn2, btn3, btn4})
        w->setEnabled(false);
    path5->setEnabled(true);
    btn5->setEnabled(true);
    if (discCheck->isChecked()) {
        discCheck->setChecked(false);
        discCheckClick();
    }
    discCheck->setEnabled(false);
    optionGroup->setEnabled(false);
}

void TkorvoForm::discCheckClick() {
    const bool c = discCheck->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{optionGroup, op1, op2, op3})
        w->setEnabled(c);
    fWord->setEnabled(false);
    fNumber->setEnabled(false);
    if (c && op3->isChecked()) {
        fWord->setEnabled(true);
        fNumber->setEnabled(true);
    }
}

void TkorvoForm::op1Click(const QString& senderName) {
    const bool serial = senderName == QLatin1String("op3");
    if (senderName == QLatin1String("op1")) {
        op1->setChecked(true);
        op2->setChecked(false);
        op3->setChecked(false);
    } else if (senderName == QLatin1String("op2")) {
        op2->setChecked(true);
        op1->setChecked(false);
        op3->setChecked(false);
    } else if (serial) {
        op3->setChecked(true);
        op1->setChecked(false);
        op2->setChecked(false);
    } else {
        return;
    }
    fWord->setEnabled(serial);
    fNumber->setEnabled(serial);
}

void TkorvoForm::prefClick() {
    prefForm->lanCombo->setCurrentIndex(lanCombo->currentIndex());
    prefForm->exec();
    if (prefForm->tag == 1) {
        lanCombo->setCurrentIndex(prefForm->lanCombo->currentIndex());
        loadLan();
    }
}

void TkorvoForm::openReportClick() {
    reportForm->showLines(reportList.lines());
    reportForm->exec();
}

void TkorvoForm::saveSetClick() {
    QString error;
    if (!mySetting.save(*this, &error))
        throw velmora::Failure(
            QStringLiteral("The settings could not be saved to %1: %2").arg(settingsFile, error));
    showMessage(this, MsgIcon::Information, messages.message(89));
}

QLineEdit* TkorvoForm::pathEdit(int row) const {
    return centralWidget()->findChild<QLineEdit*>(QStringLiteral("path%1").arg(row));
}

QLabel* TkorvoForm::spaceLabel(int row) const {
    return centralWidget()->findChild<QLabel*>(QStringLiteral("s%1").arg(row));
}

void TkorvoForm::btn1Click(int row) {
    const QString folder = velmora::app::chooseFolder(this);
    if (folder.isEmpty())
        return;
    pathEdit(row)->setText(QDir::toNativeSeparators(folder));
    showSpace(row);
}

void TkorvoForm::showSpace(int row) {
    const velmora::drive::DiskSpace space = velmora::drive::diskSpace(fox, pathEdit(row)->text());
    spaceLabel(row)->setText(velmora::restore::BytesToDisplay(space.freeBytes) + QStringLiteral("/") +
                             velmora::restore::BytesToDisplay(space.totalBytes));
}

void TkorvoForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TkorvoForm::FormShow() {
    for (int row = 1; row <= 5; ++row) {
        if (!pathEdit(row)->text().trimmed().isEmpty())
            showSpace(row);
    }
    deviceComboChange();
}

std::optional<QString> TkorvoForm::readProperty(const QString& control, const QString& property) const {
    using velmora::app::formatBoolean;
    QObject* object = centralWidget()->findChild<QObject*>(control);
    if (!object)
        return std::nullopt;
    if (property == QLatin1String("ItemIndex")) {
        if (auto* combo = qobject_cast<QComboBox*>(object))
            return QString::number(combo->currentIndex());
    } else if (property == QLatin1String("Text")) {
        if (auto* edit = qobject_cast<QLineEdit*>(object))
            return edit->text();
    } else if (property == QLatin1String("Checked")) {
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            return formatBoolean(button->isChecked());
    } else if (property == QLatin1String("Enabled")) {
        // A control's own switch, whatever its parents' state.
        if (auto* widget = qobject_cast<QWidget*>(object))
            return formatBoolean(!widget->testAttribute(Qt::WA_ForceDisabled));
    }
    return std::nullopt;
}

bool TkorvoForm::applyProperty(const QString& control, const QString& property, const QString& value) {
    using velmora::app::parseBoolean;
    using velmora::app::parseInteger;
    QObject* object = centralWidget()->findChild<QObject*>(control);
    if (!object)
        return false;
    if (property == QLatin1String("ItemIndex")) {
        auto* combo = qobject_cast<QComboBox*>(object);
        const std::optional<int> index = parseInteger(value);
        if (!combo || !index)
            return false;
        // A position outside the list leaves no entry selected; no handler runs.
        combo->setCurrentIndex(*index >= 0 && *index < combo->count() ? *index : -1);
        return true;
    }
    if (property == QLatin1String("Text")) {
        auto* edit = qobject_cast<QLineEdit*>(object);
        if (!edit)
            return false;
        edit->setText(value);
        return true;
    }
    const std::optional<bool> flag = parseBoolean(value);
    if (!flag)
        return false;
    if (property == QLatin1String("Enabled")) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget)
            return false;
        widget->setEnabled(*flag);
        return true;
    }
    if (property != QLatin1String("Checked"))
        return false;
    if (object == discCheck) {
        if (discCheck->isChecked() != *flag) {
            discCheck->setChecked(*flag);
            discCheckClick();
        }
        return true;
    }
    auto* radio = qobject_cast<QRadioButton*>(object);
    if (!radio)
        return false;
    if (!*flag) {
        radio->setChecked(false);
        return true;
    }
    if (radio->isChecked())
        return true;
    // Checking a choice runs its click rule, as a click would.
    radio->setChecked(true);
    if (radio == r1)
        r1Click();
    else if (radio == r2)
        r2Click();
    else if (radio == r3)
        r3Click();
    else
        op1Click(radio->objectName());
    return true;
}

void TkorvoForm::QuitClick() {
    close();
}

void TkorvoForm::helpClick() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(programFolder + QStringLiteral("manual/manual.chm")));
}

void TkorvoForm::aboutClick() {
    aboutForm->exec();
}
