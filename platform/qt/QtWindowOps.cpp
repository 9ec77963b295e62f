#include "platform/qt/QtWindowOps.h"

#include "platform/qt/MessageBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QWindow>

#include <algorithm>

QString BytesToText(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

namespace {

std::string TextToBytes(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Puts the names into the combo box's list in ascending byte order, after
// and among what it already holds; equal names keep the order they came in.
// The edit text is left as it was.
void AddSorted(QComboBox* comboBox, std::vector<std::string> names)
{
    if (names.empty())
        return;
    std::vector<std::string> all;
    all.reserve(static_cast<std::size_t>(comboBox->count()) + names.size());
    for (int i = 0; i < comboBox->count(); ++i)
        all.push_back(TextToBytes(comboBox->itemText(i)));
    all.insert(all.end(), std::make_move_iterator(names.begin()), std::make_move_iterator(names.end()));
    std::stable_sort(all.begin(), all.end());

    QStringList items;
    items.reserve(static_cast<qsizetype>(all.size()));
    for (const std::string& name : all)
        items.append(BytesToText(name));

    const QString editText = comboBox->currentText();
    const QSignalBlocker blocker(comboBox);
    comboBox->clear();
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
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(BytesToText(text));
        edit->setCursorPosition(0);
    } else if (auto* comboBox = qobject_cast<QComboBox*>(widget)) {
        comboBox->setEditText(BytesToText(text));
        if (comboBox->lineEdit() != nullptr)
            comboBox->lineEdit()->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(BytesToText(text));
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
        AddSorted(combo, std::move(names));
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
    ::ShowMessage(MessageParent(), BytesToText(text));
}
