#include "window/unit1.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include "html/bhtml.h"
#include "ui_Unit1.h"
#include "window/app_pictures.h"

namespace {

// The system colours the edits switch between: grey while locked, white while editable.
const QColor kButtonFace(0xF0, 0xF0, 0xF0);
const QColor kWindow(0xFF, 0xFF, 0xFF);

// Colours of the scheduler are 0x00BBGGRR.
QColor FromColourValue(uint32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
uint32_t ToColourValue(const QColor& colour) {
    return static_cast<uint32_t>(colour.red()) | static_cast<uint32_t>(colour.green()) << 8 |
           static_cast<uint32_t>(colour.blue()) << 16;
}

void SetBaseColour(QWidget* edit, const QColor& colour) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::All, QPalette::Base, colour);
    edit->setPalette(palette);
}

}  // namespace

TForm1::TForm1(std::unique_ptr<TapwerkSettings> settings, std::unique_ptr<InputInjector> injector,
               QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::TForm1>()),
      settings_(std::move(settings)),
      injector_(std::move(injector)),
      Timer2_(new QTimer(this)),
      BHTML1_(new TBHTML(this)) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    ui_->setupUi(this);
    setFixedSize(239, 272);
    BHTML1_->setObjectName("BHTML1");
    ui_->Label3->setText(QString(kMakerAddress).section("://", 1));
    LoadPictures();
    ConnectHandlers();

    Timer2_->setObjectName("Timer2");
    Timer2_->setTimerType(Qt::PreciseTimer);
    Timer2_->setInterval(100);
    connect(Timer2_, &QTimer::timeout, this, &TForm1::Timer2Timer);
    Timer2_->start();
}

TForm1::~TForm1() = default;

void TForm1::LoadPictures() {
    const AppPictures pictures = LoadAppPictures();
    setWindowIcon(QPixmap::fromImage(pictures.icon));
    ui_->Image1->setPixmap(QPixmap::fromImage(pictures.icon));
    ui_->SpeedButton1->setIcon(QPixmap::fromImage(pictures.small_exit));
    ui_->Button1->SetGlyph(QPixmap::fromImage(pictures.exit_button));
    ui_->CheckBox1->SetPictureChecked(QPixmap::fromImage(pictures.toggle_on));
    ui_->CheckBox1->SetPictureUnchecked(QPixmap::fromImage(pictures.toggle_off));
    ui_->dxfShapedForm1->SetPicture(pictures.skin);
}

void TForm1::ConnectHandlers() {
    // The option boxes report every change of state, made by the user or by the code, as the
    // settings restored at start rely on.
    connect(ui_->CheckBox1, &TdxfCheckBox::clicked, this, &TForm1::CheckBox1Click);
    connect(ui_->CheckBox3, &QCheckBox::toggled, this, &TForm1::CheckBox3Click);
    connect(ui_->Label4, &ClickableLabel::clicked, this, &TForm1::CheckBox3Click);
    connect(ui_->CheckBox2, &QCheckBox::toggled, this, &TForm1::CheckBox2Click);
    connect(ui_->Label5, &ClickableLabel::clicked, this, &TForm1::CheckBox2Click);
    connect(ui_->Edit1, &QLineEdit::textChanged, this, &TForm1::Edit1Change);
    connect(ui_->Label3, &ClickableLabel::clicked, this, &TForm1::Label3Click);
    connect(ui_->Button1, &TdxfColorButton::clicked, this, &TForm1::Button1Click);
    connect(ui_->SpeedButton1, &QToolButton::clicked, this, &TForm1::Button1Click);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_before_ || event->spontaneous()) return;
    shown_before_ = true;
    CentreOnScreen();
    FormShow();
}

void TForm1::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void TForm1::FormShow() {
    scheduler_.SeedRandom(static_cast<uint32_t>(QDateTime::currentSecsSinceEpoch()));
    TapwerkValues values;
    try {
        values = settings_->Read();
    } catch (const Exception& error) {
        // Shown once the window is up; the window keeps the values of its form.
        QTimer::singleShot(0, this, [this, message = error.Message()] { ShowError(message); });
        return;
    }
    ui_->Edit1->setText(QString::fromStdString(values.interval));
    ui_->CheckBox2->setChecked(values.enter == "1");
}

void TForm1::Timer2Timer() { scheduler_.Tick(); }

void TForm1::SetSettingsEnabled(bool enabled) {
    for (QWidget* edit : {static_cast<QWidget*>(ui_->Edit1), static_cast<QWidget*>(ui_->Edit2)}) {
        SetBaseColour(edit, enabled ? kWindow : kButtonFace);
        edit->setEnabled(enabled);
    }
    for (QWidget* control :
         std::initializer_list<QWidget*>{ui_->Label4, ui_->Label5, ui_->Label2, ui_->Label8,
                                         ui_->Label1, ui_->CheckBox2, ui_->CheckBox3})
        control->setEnabled(enabled);
}

void TForm1::CheckBox1Click() {
    const bool running = ui_->CheckBox1->Checked();
    SetSettingsEnabled(!running);
    ui_->dxfLabel1->setVisible(running);
}

void TForm1::CheckBox3Click() {
    const bool random = ui_->CheckBox3->isChecked();
    ui_->Edit2->setVisible(random);
    ui_->Label8->setVisible(!random);
}

void TForm1::CheckBox2Click() {
    try {
        settings_->WriteEnter(ui_->CheckBox2->isChecked() ? "1" : "0");
    } catch (const Exception& error) {
        ShowError(error.Message());
    }
}

void TForm1::Edit1Change() {
    try {
        settings_->WriteInterval(ui_->Edit1->text().toStdString());
    } catch (const Exception& error) {
        ShowError(error.Message());
    }
}

void TForm1::Label3Click() { BHTML1_->CallExternUrl(kMakerAddress); }

void TForm1::Button1Click() { emit TerminateRequested(); }

void TForm1::ShowError(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                    QString::fromStdString(message), QMessageBox::Ok, this);
    box.setObjectName("ErrorBox");
    box.exec();
}

std::string TForm1::IntervalText() const { return ui_->Edit1->text().toStdString(); }
std::string TForm1::UpperText() const { return ui_->Edit2->text().toStdString(); }
bool TForm1::RandomOn() const { return ui_->CheckBox3->isChecked(); }
bool TForm1::EnterOn() const { return ui_->CheckBox2->isChecked(); }
bool TForm1::Running() const { return ui_->CheckBox1->Checked(); }

void TForm1::StopRunning() {
    if (!ui_->CheckBox1->Checked()) return;
    // The automation stops by itself only when the interval can no longer be read; the
    // settings are unlocked so that the user can mend it, as a stop by hand would do.
    ui_->CheckBox1->SetChecked(false);
    CheckBox1Click();
}

void TForm1::PressEnter() { injector_->PressEnter(); }
void TForm1::ClickLeft() { injector_->ClickLeft(); }

uint32_t TForm1::LinkColour() const {
    return ToColourValue(ui_->Label3->palette().color(QPalette::WindowText));
}

void TForm1::SetLinkColour(uint32_t colour) {
    QPalette palette = ui_->Label3->palette();
    palette.setColor(QPalette::All, QPalette::WindowText, FromColourValue(colour));
    ui_->Label3->setPalette(palette);
}

void TForm1::ShowCountdown(const std::string& text) {
    ui_->dxfLabel1->SetCaption(QString::fromStdString(text));
}
