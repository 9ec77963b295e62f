#pragma once

#include "viewer/EditedFile.h"

#include <QMessageBox>

class QWidget;

namespace zuninfo {

// The table window's questions as message boxes over it, and its files
// chosen in Qt's file dialogs.
class WindowDialogs final : public SaveDialogs {
public:
    explicit WindowDialogs(QWidget* parent) : parent_(parent) {}

    bool Confirm(const std::string& question) override;
    Unsaved AskUnsaved(const std::string& question) override;
    void Warn(const std::string& message) override;
    std::optional<std::string> ChooseFile(const FileChoice& choice, const std::string& current) override;

private:
    // What the user chose: Cancel when the box was closed without a button.
    QMessageBox::StandardButton Ask(const std::string& text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton preferred);

    QWidget* parent_;
};

} // namespace zuninfo
