#include "viewer/qt/WindowDialogs.h"

#include "platform/qt/LocalNames.h"
#include "viewer/EditMessages.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QGuiApplication>

namespace zuninfo {

bool WindowDialogs::Confirm(const std::string& question)
{
    return Ask(question, QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Yes;
}

SaveDialogs::Unsaved WindowDialogs::AskUnsaved(const std::string& question)
{
    switch (Ask(question, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save:
        return Unsaved::Save;
    case QMessageBox::Discard:
        return Unsaved::Discard;
    default:
        return Unsaved::Cancel;
    }
}

void WindowDialogs::Warn(const std::string& message)
{
    QMessageBox::warning(parent_, QGuiApplication::applicationDisplayName(), QString::fromStdString(message));
}

std::optional<std::string> WindowDialogs::ChooseFile(const FileChoice& choice, const std::string& current)
{
    const QString title = QString::fromUtf8(choice.title);
    const QString filters = QString::fromUtf8(choice.filters);
    const QString chosen = choice.toWrite
                               ? QFileDialog::getSaveFileName(parent_, title, FromLocalName(current), filters)
                               : QFileDialog::getOpenFileName(parent_, title, FromLocalName(current), filters);
    if (chosen.isEmpty())
        return std::nullopt;
    return LocalName(chosen);
}

QMessageBox::StandardButton WindowDialogs::Ask(const std::string& text, QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton preferred)
{
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), QString::fromStdString(text),
                    buttons, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(preferred);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return clicked != nullptr ? box.standardButton(clicked) : QMessageBox::Cancel;
}

} // namespace zuninfo
