#pragma once

#include "platform/TextEncoding.h"
#include "platform/WindowOps.h"

#include <map>
#include <string>
#include <vector>

class QWidget;

// The window operations carried out on Qt widgets, found by the names they
// were registered under. Edit boxes are QLineEdit, combo boxes editable
// QComboBox, labels QLabel, buttons any QAbstractButton. Texts arrive as
// bytes and are shown as EncodingOf(control) says.
class QtWindowOps : public WindowOps {
public:
    ~QtWindowOps() override;

    void RegisterControl(const std::string& name, QWidget* control);
    QWidget* Control(std::string_view name) const;

    void SetText(std::string_view control, const std::string& text) override;
    void BeginUpdate(std::string_view comboBox) override;
    void AddItem(std::string_view comboBox, const std::string& name) override;
    void EndUpdate(std::string_view comboBox) override;
    void SetEnabled(std::string_view control, bool enabled) override;
    void SetCursor(TCursor cursor) override;
    void ShowMessage(const std::string& text) override;

    // Finds and loads the busy cursor's image now, so that the first parse
    // does not wait while the cursor theme is searched. Meant for an idle
    // moment after start-up.
    static void PrepareBusyCursor();

protected:
    // The window message boxes belong to.
    virtual QWidget* MessageParent() const = 0;
    // How the bytes given for a control are read.
    virtual TextEncoding ControlEncoding(std::string_view control) const = 0;

private:
    std::map<std::string, QWidget*, std::less<>> controls_;
    // Names added to a combo box and not yet in its list: EndUpdate puts
    // them in, in one sorted batch.
    std::map<std::string, std::vector<std::string>, std::less<>> pendingItems_;
    bool busyCursor_ = false;
};
