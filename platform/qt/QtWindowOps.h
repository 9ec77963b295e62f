#pragma once

#include "platform/ControlWindowOps.h"

#include <QStringList>

class QWidget;

namespace zuninfo {

// The window operations carried out on Qt widgets: edit boxes are QLineEdit,
// combo boxes editable QComboBox, labels QLabel, buttons any
// QAbstractButton.
class QtWindowOps : public ControlWindowOps<QWidget*, QStringList> {
public:
    using ControlWindowOps::ControlWindowOps;
    ~QtWindowOps() override;

    void ShowMessage(const std::string& text) override;

    // Finds and loads the busy cursor's image now, so that the first parse
    // does not wait while the cursor theme is searched. Meant for an idle
    // moment after start-up.
    static void PrepareBusyCursor();

protected:
    // The window message boxes belong to.
    virtual QWidget* MessageParent() const = 0;

private:
    void ShowText(QWidget* control, const std::string& text, TextEncoding encoding) override;
    QStringList OrderedItems(const std::vector<std::string>& names, TextEncoding encoding) const override;
    void FillList(QWidget* comboBox, const QStringList& items) override;
    void Enable(QWidget* control, bool enabled) override;
    void ShowBusyCursor(bool busy) override;
};

} // namespace zuninfo
