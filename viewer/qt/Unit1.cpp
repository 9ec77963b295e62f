#include "viewer/qt/Unit1.h"

#include "data/NameLists.h"
#include "platform/Exception.h"
#include "platform/qt/LocalNames.h"
#include "viewer/FormLayout.h"
#include "viewer/RecordBrowser.h"
#include "viewer/qt/Startup.h"
#include "viewer/qt/TableWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

#include <limits>
#include <utility>

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

// The local files a drag carries; none when it carries anything else too.
std::vector<std::string> DraggedFiles(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.push_back(LocalName(url.toLocalFile()));
    }
    return paths;
}

// A second viewer, left to run on its own.
class DetachedViewer final : public ProcessStarter {
public:
    bool Start(const ProcessCommand& command) override
    {
        QStringList arguments;
        for (const std::string& argument : command.arguments)
            arguments.append(FromLocalName(argument));
        return QProcess::startDetached(FromLocalName(command.program), arguments, FromLocalName(command.folder));
    }
};

} // namespace

TForm1::TForm1(QWidget* parent) : TForm1(ViewerOptions{}, parent) {}

TForm1::TForm1(ViewerOptions options, QWidget* parent)
    : QWidget(parent), QtWindowOps(EncodingOf),
      session_(std::move(options), LocalName(QCoreApplication::applicationFilePath()))
{
    Form1 = this;
    CreateControls();

    try {
        LoadNameLists(*this, session_.Files());
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

    // A monster file dropped anywhere on the window: on a field too, which
    // would otherwise take the file's name as text.
    setAcceptDrops(true);
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->installEventFilter(this);
    connect(new QShortcut(QKeySequence(QString::fromLatin1(kTableShortcut)), this), &QShortcut::activated, this,
            &TForm1::ShowTable);

    Control("Button1")->setFocus();
}

void TForm1::Button1Click()
{
    if (!MayLeaveEdits())
        return;
    RunCommand(*this, [this] { session_.Load(*this); });
    RecordsChanged();
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

TableWindow* TForm1::Table() const
{
    return table_;
}

TableWindow* TForm1::ShowTable()
{
    if (table_ == nullptr) {
        table_ = new TableWindow([this](int slot) { RunCommand(*this, [&] { ShowChosenRecord(*this, slot); }); },
                                 session_, this);
        table_->SetLoaded(session_.Loaded());
    }
    table_->show();
    table_->raise();
    table_->activateWindow();
    return table_;
}

void TForm1::OpenFiles(const std::vector<std::string>& paths)
{
    DetachedViewer starter;
    RunCommand(*this, [&] { session_.Open(*this, paths, starter); });
    RecordsChanged();
}

void TForm1::ChooseFileToOpen()
{
    const QString path = QFileDialog::getOpenFileName(this, QString::fromUtf8(kOpenCommand), QString(),
                                                      QStringLiteral("Monster files (*.qdf);;All files (*)"));
    if (!path.isEmpty())
        OpenFiles({LocalName(path)});
}

// Changes not saved in the table are saved or dropped first, as the user
// says, or kept (false). (Once a file is loaded, Load is off and another
// file opens in a viewer of its own, so only closing leaves them.)
bool TForm1::MayLeaveEdits()
{
    return table_ == nullptr || table_->MayLeave();
}

// The table follows what Load read.
void TForm1::RecordsChanged()
{
    if (table_ != nullptr)
        table_->SetLoaded(session_.Loaded());
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The table goes with the window it belongs to; with changes not saved
    // it asks first, and may keep both open.
    if (table_ != nullptr && table_->isVisible() && !table_->close()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

// The menu of the window's background (the fields have their own).
void TForm1::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* table = menu.addAction(QString::fromLatin1(kTableCommand));
    table->setShortcut(QKeySequence(QString::fromLatin1(kTableShortcut)));
    QAction* open = menu.addAction(QString::fromUtf8(kOpenCommand));
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == table)
        ShowTable();
    else if (chosen == open)
        ChooseFileToOpen();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DraggedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> paths = DraggedFiles(event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    // After the drop has ended: what the files bring may be a message box,
    // which the program that dragged them should not wait for.
    QTimer::singleShot(0, this, [this, paths] { OpenFiles(paths); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (DraggedFiles(drop->mimeData()).empty())
            break;
        if (event->type() == QEvent::Drop)
            dropEvent(drop);
        else
            drop->acceptProposedAction();
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
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
