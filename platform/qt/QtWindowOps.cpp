#include "platform/qt/QtWindowOps.h"

#include "platform/qt/MessageBox.h"
#include "platform/qt/NameText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QWindow>


namespace {

// Puts the names into the combo box's list in the order lists show them in
// (see ListItems), after what it already holds: each list is filled once,
// from one name list file. The edit text is left as it was.
void AddSorted(QComboBox* comboBox, const std::vector<std::string>& names, TextEncoding encoding)
{
    if (names.empty())
        return;
    const QStringList items = ListItems(names, encoding);
    const QString editText = comboBox->currentText();
    const QSignalBlocker blocker(comboBox);
    comboBox->addItems(items);
    // Adding items to an editable combo box selects the first one; the list
    // is only a list of choices, so no item stays selected.
    comboBox->setCurrentIndex(-1);
    comboBox->setEditText(editText);
}

} // namespace

QtWindowOps::~QtWindowOps()
{
    if (busyCursor_)
        QGuiApplication::restoreOverrideCursor();
}

void QtWindowOps::RegisterControl(const std::string& name, QWidget* control)
{
    controls_[name] = control;
}

QWidget* QtWindowOps::Control(std::string_view name) const
{
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
}

void QtWindowOps::SetText(std::string_view control, const std::string& text)
{
    QWidget* widget = Control(control);
    const QString shown = ShownText(text, ControlEncoding(control));
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(shown);
        edit->setCursorPosition(0);
    } else if (auto* comboBox = qobject_cast<QComboBox*>(widget)) {
        comboBox->setEditText(shown);
        if (comboBox->lineEdit() != nullptr)
            comboBox->lineEdit()->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(shown);
        // Labels size themselves to their caption.
        label->adjustSize();
    }
}

void QtWindowOps::BeginUpdate(std::string_view)
{
    // Nothing to do: added names wait in pendingItems_ until EndUpdate.
}

void QtWindowOps::AddItem(std::string_view comboBox, const std::string& name)
{
    pendingItems_[std::string(comboBox)].push_back(name);
}

void QtWindowOps::EndUpdate(std::string_view comboBox)
{
    const auto pending = pendingItems_.find(comboBox);
    if (pending == pendingItems_.end())
        return;
    std::vector<std::string> names = std::move(pending->second);
    pendingItems_.erase(pending);
    if (auto* combo = qobject_cast<QComboBox*>(Control(comboBox)))
        AddSorted(combo, names, ControlEncoding(comboBox));
}

void QtWindowOps::SetEnabled(std::string_view control, bool enabled)
{
    if (QWidget* widget = Control(control))
        widget->setEnabled(enabled);
}

void QtWindowOps::SetCursor(TCursor cursor)
{
    const bool busy = cursor == TCursor::crHourGlass;
    if (busy == busyCursor_)
        return;
    busyCursor_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void QtWindowOps::PrepareBusyCursor()
{
    // A native window that is never shown: giving it the cursor makes the
    // platform load the cursor once and keep it for every later use.
    QWindow window;
    window.create();
    window.setCursor(Qt::WaitCursor);
}

void QtWindowOps::ShowMessage(const std::string& text)
{
    ::ShowMessage(MessageParent(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}
