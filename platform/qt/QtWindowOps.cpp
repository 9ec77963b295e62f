#include "platform/qt/QtWindowOps.h"

#include "platform/qt/MessageBox.h"
#include "platform/qt/NameText.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWindow>

namespace zuninfo {

QtWindowOps::~QtWindowOps()
{
    if (BusyCursor())
        QGuiApplication::restoreOverrideCursor();
}

void QtWindowOps::ShowText(QWidget* control, const std::string& text, TextEncoding encoding)
{
    const QString shown = ShownText(text, encoding);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(shown);
        edit->setCursorPosition(0);
    } else if (auto* comboBox = qobject_cast<QComboBox*>(control)) {
        comboBox->setEditText(shown);
        if (comboBox->lineEdit() != nullptr)
            comboBox->lineEdit()->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(shown);
        // Labels size themselves to their caption.
        label->adjustSize();
    }
}

QStringList QtWindowOps::OrderedItems(const std::vector<std::string>& names, TextEncoding encoding) const
{
    return ListItems(names, encoding);
}

void QtWindowOps::FillList(QWidget* control, const QStringList& items)
{
    auto* comboBox = qobject_cast<QComboBox*>(control);
    if (comboBox == nullptr || items.empty())
        return;
    const QString editText = comboBox->currentText();
    const QSignalBlocker blocker(comboBox);
    comboBox->addItems(items);
    // Adding items to an editable combo box selects the first one; the list
    // is only a list of choices, so no item stays selected.
    comboBox->setCurrentIndex(-1);
    comboBox->setEditText(editText);
}

void QtWindowOps::Enable(QWidget* control, bool enabled)
{
    control->setEnabled(enabled);
}

void QtWindowOps::ShowBusyCursor(bool busy)
{
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

} // namespace zuninfo
