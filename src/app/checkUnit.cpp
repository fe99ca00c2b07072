#include "app/checkUnit.h"

#include "app/application.h"
#include "app/errorhandler.h"
#include "app/korvoUnit.h"
#include "lang/languagelist.h"
#include "lang/prefUnit.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

TcheckForm* checkForm = nullptr;

namespace {

// The splash picture: the product name beside a disc, painted straight onto
// the window (no image to convert).
class SplashPicture : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        const QSize size = this->size();
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient background(0, 0, 0, size.height());
        background.setColorAt(0, QColor(18, 38, 74));
        background.setColorAt(1, QColor(40, 90, 150));
        painter.fillRect(rect(), background);
        const QPointF centre(size.width() * 0.78, size.height() * 0.45);
        const double radius = size.height() * 0.42;
        // A disc: silver face, darker data ring, clear hub (plain fills keep the
        // painting on this thread).
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(200, 215, 235));
        painter.drawEllipse(centre, radius, radius);
        painter.setBrush(QColor(150, 180, 220));
        painter.drawEllipse(centre, radius * 0.8, radius * 0.8);
        painter.setBrush(QColor(225, 232, 245));
        painter.drawEllipse(centre, radius * 0.3, radius * 0.3);
        painter.setBrush(QColor(30, 50, 90));
        painter.drawEllipse(centre, radius * 0.1, radius * 0.1);
        painter.setPen(Qt::white);
        QFont title = painter.font();
        title.setPixelSize(44);
        title.setBold(true);
        painter.setFont(title);
        painter.drawText(QRect(28, 40, size.width(), 60), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Velmora"));
        QFont sub = painter.font();
        sub.setPixelSize(15);
        sub.setBold(false);
        painter.setFont(sub);
        painter.drawText(QRect(30, 100, size.width(), 24), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Optical disc restore"));
    }
};

} // namespace

TcheckForm::TcheckForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("checkForm"));
    setWindowTitle(QStringLiteral("Velmora"));
    setFixedSize(481, 263);

    checkLabel = new QLabel(QStringLiteral("Loading....."), this);
    checkLabel->setObjectName(QStringLiteral("checkLabel"));
    dCheck = new QTimer(this);
    dCheck->setObjectName(QStringLiteral("dCheck"));
    dCheck->setInterval(1000);
    connect(dCheck, &QTimer::timeout, this, velmora::app::guarded([this] { dCheckTimer(); }));
    Image1 = new SplashPicture(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 480, 265);
    Image1->lower();

    checkLabel->setStyleSheet(QStringLiteral("color: white;"));
    checkLabel->setGeometry(30, 190, 420, 24);
    checkLabel->raise();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TcheckForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    dCheck->start();
}

void TcheckForm::closeEvent(QCloseEvent* event) {
    // While the splash is the main window it has no close box to end the program with.
    if (!startupDone_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TcheckForm::dCheckTimer() {
    dCheck->stop();
    if (startupDone_)
        return;
    startupDone_ = true;

    korvoForm->getRobot();
    if (korvoForm->settingsFileExists())
        korvoForm->loadSettings();
    else
        korvoForm->lanCombo->setCurrentIndex(
            velmora::lang::defaultLanguagePosition(velmora::app::systemLanguageId()));
    korvoForm->deviceComboChange();
    korvoForm->loadLan();
    korvoForm->attachLanguageHandler();

    prefForm->lanCombo->clear();
    for (int i = 0; i < korvoForm->lanCombo->count(); ++i)
        prefForm->lanCombo->addItem(korvoForm->lanCombo->itemText(i));
    prefForm->lanCombo->setCurrentIndex(korvoForm->lanCombo->currentIndex());

    velmora::app::SetAsMainForm(korvoForm);
    hide();
    korvoForm->show();
}
