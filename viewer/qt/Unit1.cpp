#include "viewer/qt/Unit1.h"

#include "data/NameLists.h"
#include "platform/Exception.h"
#include "viewer/FormLayout.h"
#include "viewer/RecordBrowser.h"
#include "viewer/qt/Startup.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTimer>

#include <limits>

TForm1* Form1 = nullptr;

using namespace zuninfo;

namespace {

// The window font at 8 points: "MS Sans Serif" where it is installed; else
// Arial or its metric twin Liberation Sans, whose widths keep every caption
// clear of the field beside it; else the platform's sans-serif face.
QFont FormFont()
{
    // One look at the installed families: asking for each face in turn
    // would resolve font aliases through fontconfig every time.
    const QStringList installed = QFontDatabase::families();
    QString face = QStringLiteral("Sans Serif");
    for (const char* candidate : {kFormFontFace, "Arial", "Liberation Sans"}) {
        if (installed.contains(QString::fromLatin1(candidate), Qt::CaseInsensitive)) {
            face = QString::fromLatin1(candidate);
            break;
        }
    }
    QFont font(face);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(kFormFontPoints);
    return font;
}

// An edit field cuts its text at its maximum length, 32767 characters unless
// told otherwise; names are shown whole, however long.
void ShowWhole(QLineEdit* edit)
{
    edit->setMaxLength(std::numeric_limits<int>::max());
}

QWidget* CreateControl(const ControlLayout& layout, QWidget* parent)
{
    const QString caption = layout.caption != nullptr ? QString::fromLatin1(layout.caption) : QString();
    switch (layout.kind) {
    case ControlKind::Button:
        return new QPushButton(caption, parent);
    case ControlKind::Label:
    case ControlKind::BoldLabel: {
        auto* label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        if (layout.kind == ControlKind::BoldLabel) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(parent);
        ShowWhole(edit);
        return edit;
    }
    case ControlKind::ComboBox: {
        auto* comboBox = new QComboBox(parent);
        comboBox->setEditable(true);
        ShowWhole(comboBox->lineEdit());
        // The lists are fixed: text typed into the box never becomes an item.
        comboBox->setInsertPolicy(QComboBox::NoInsert);
        comboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        return comboBox;
    }
    case ControlKind::StatusBar:
        return new QStatusBar(parent);
    }
    return nullptr;
}

} // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), QtWindowOps(EncodingOf)
{
    Form1 = this;
    CreateControls();

    try {
        LoadNameLists(*this);
    } catch (...) {
        // No destructor runs for a window whose constructor throws.
        Detach();
        throw;
    }
}

TForm1::~TForm1()
{
    Detach();
}

// Deleting the controls moves the focus; by then this is no longer a TForm1,
// so the focus handler must not run. Form1 no longer names this window.
void TForm1::Detach()
{
    QObject::disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::CreateControls()
{
    setWindowTitle(QString::fromLatin1(kFormCaption));
    setFont(FormFont());
    move(kFormLeft, kFormTop);
    resize(kClientWidth, kClientHeight);

    QWidget* previousTabStop = nullptr;
    for (const ControlLayout& layout : kFormLayout) {
        QWidget* control = CreateControl(layout, this);
        control->setObjectName(QString::fromLatin1(layout.name));
        control->setGeometry(layout.left, layout.top, layout.width, layout.height);
        if (auto* label = qobject_cast<QLabel*>(control))
            label->adjustSize();
        if (layout.hint != nullptr) {
            control->setToolTip(QString::fromLatin1(layout.hint));
            control->setAccessibleDescription(QString::fromLatin1(layout.hint));
        }
        if (layout.tabOrder >= 0) {
            if (previousTabStop != nullptr)
                setTabOrder(previousTabStop, control);
            previousTabStop = control;
        }
        RegisterControl(layout.name, control);
    }

    // Each caption names its input for screen readers; no caption holds an
    // '&', so this brings no keyboard accelerator. An editable combo box
    // hands the focus to its line edit, which is named and described too.
    for (const ControlLayout& layout : kFormLayout) {
        if (layout.buddy == nullptr)
            continue;
        auto* label = qobject_cast<QLabel*>(Control(layout.name));
        label->setBuddy(Control(layout.buddy));
        if (auto* comboBox = qobject_cast<QComboBox*>(Control(layout.buddy))) {
            comboBox->lineEdit()->setAccessibleName(label->text());
            comboBox->lineEdit()->setAccessibleDescription(comboBox->accessibleDescription());
        }
    }

    statusBar_ = qobject_cast<QStatusBar*>(Control("StatusBar1"));
    // A label of our own holds the text: a status bar's temporary message
    // would be cleared by the mouse passing over other widgets.
    statusText_ = new QLabel(statusBar_);
    statusText_->setTextFormat(Qt::PlainText);
    statusBar_->addWidget(statusText_, 1);

    connect(qobject_cast<QPushButton*>(Control("Button1")), &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(qobject_cast<QPushButton*>(Control("Button2")), &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(qobject_cast<QPushButton*>(Control("Button3")), &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusChanged(now); });

    Control("Button1")->setFocus();
}

void TForm1::Button1Click()
{
    RunCommand(*this, [this] { LoadAndShow(*this); });
}

void TForm1::Button2Click()
{
    RunCommand(*this, [this] { ShowPrevious(*this); });
}

void TForm1::Button3Click()
{
    RunCommand(*this, [this] { ShowNext(*this); });
}

void TForm1::Edit1Enter(QWidget* sender)
{
    ShowHintOf(sender);
}

void TForm1::ComboBox1Enter(QWidget* sender)
{
    ShowHintOf(sender);
}

void TForm1::ShowHintOf(QWidget* control)
{
    statusText_->setText(control->toolTip());
}

// Finds the edit box or combo box that the newly focused widget belongs to
// (an editable combo box's line edit belongs to its combo box) and runs its
// enter handler. Buttons have none, so focusing one leaves the status bar.
void TForm1::FocusChanged(QWidget* now)
{
    for (QWidget* widget = now; widget != nullptr && widget != this; widget = widget->parentWidget()) {
        if (auto* comboBox = qobject_cast<QComboBox*>(widget); comboBox != nullptr && comboBox->parentWidget() == this) {
            ComboBox1Enter(comboBox);
            return;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(widget); edit != nullptr && edit->parentWidget() == this) {
            Edit1Enter(edit);
            return;
        }
    }
}

QWidget* TForm1::MessageParent() const
{
    return const_cast<TForm1*>(this);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The status bar keeps to the bottom edge, across the full width.
    const int height = statusBar_->height();
    statusBar_->setGeometry(0, event->size().height() - height, event->size().width(), height);
}

void TForm1::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        QTimer::singleShot(0, this, &TForm1::FinishStartUp);
    }
}

// Start-up work that need not hold back the window's first paint, done in
// the first idle moment after it.
void TForm1::FinishStartUp()
{
    // Loading the busy cursor searches the cursor theme: better now than
    // during the first Load.
    PrepareBusyCursor();
    // Looking the icon up in the icon theme takes a while; the desktop finds
    // the menu entry's icon by itself meanwhile.
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kDesktopId)));
}
