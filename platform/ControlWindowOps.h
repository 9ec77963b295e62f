#pragma once

#include "platform/TextEncoding.h"
#include "platform/WindowOps.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zuninfo {

// The window operations as every front end carries them out: controls found
// by the names they were registered under, the names added to a combo box
// held until its update ends and then put in all at once, and the busy
// cursor set only when it changes. A front end says what its toolkit does
// with a control (`Handle`: its widget or window handle; `Items`: a list's
// items as its toolkit takes them).
template <typename Handle, typename Items>
class ControlWindowOps : public WindowOps {
public:
    // How the bytes given for a control are read.
    using EncodingRule = TextEncoding (*)(std::string_view control);

    explicit ControlWindowOps(EncodingRule encodingOf) : encodingOf_(encodingOf) {}

    void RegisterControl(std::string name, Handle control) { controls_[std::move(name)] = control; }

    Handle Control(std::string_view name) const
    {
        const auto found = controls_.find(name);
        return found == controls_.end() ? Handle{} : found->second;
    }

    void SetText(std::string_view control, const std::string& text) final
    {
        if (const Handle handle = Control(control))
            ShowText(handle, text, encodingOf_(control));
    }

    void BeginUpdate(std::string_view) final {}

    void AddItem(std::string_view comboBox, const std::string& name) final
    {
        pendingItems_[std::string(comboBox)].push_back(name);
    }

    void EndUpdate(std::string_view comboBox) final
    {
        const auto pending = pendingItems_.find(comboBox);
        if (pending == pendingItems_.end())
            return;
        std::vector<std::string> names = std::move(pending->second);
        pendingItems_.erase(pending);
        if (const Handle handle = Control(comboBox)) {
            // The combo boxes of one list file take the same items: they are
            // decoded and put in order once.
            const TextEncoding encoding = encodingOf_(comboBox);
            if (!ordered_ || names != ordered_->names || encoding != ordered_->encoding) {
                Items items = OrderedItems(names, encoding);
                ordered_ = Ordered{std::move(names), encoding, std::move(items)};
            }
            FillList(handle, ordered_->items);
        }
        // Held only while another list waits for its items.
        if (pendingItems_.empty())
            ordered_.reset();
    }

    void SetEnabled(std::string_view control, bool enabled) final
    {
        if (const Handle handle = Control(control))
            Enable(handle, enabled);
    }

    void SetCursor(TCursor cursor) final
    {
        const bool busy = cursor == TCursor::crHourGlass;
        if (busy == busyCursor_)
            return;
        busyCursor_ = busy;
        ShowBusyCursor(busy);
    }

    bool BusyCursor() const { return busyCursor_; }

protected:
    // Puts bytes read in `encoding` into an edit box, a combo box's edit part
    // or a label.
    virtual void ShowText(Handle control, const std::string& text, TextEncoding encoding) = 0;
    // The items that show the names of one list file, read in `encoding`, in
    // the order lists show them (ListItemsInOrder).
    virtual Items OrderedItems(const std::vector<std::string>& names, TextEncoding encoding) const = 0;
    // Adds the items to a combo box's item list, keeping its edit text.
    virtual void FillList(Handle comboBox, const Items& items) = 0;
    virtual void Enable(Handle control, bool enabled) = 0;
    virtual void ShowBusyCursor(bool busy) = 0;

private:
    EncodingRule encodingOf_;
    std::map<std::string, Handle, std::less<>> controls_;
    // Names added to a combo box and not yet in its list.
    std::map<std::string, std::vector<std::string>, std::less<>> pendingItems_;
    // The names last put in order, and their items.
    struct Ordered {
        std::vector<std::string> names;
        TextEncoding encoding;
        Items items;
    };
    std::optional<Ordered> ordered_;
    bool busyCursor_ = false;
};

} // namespace zuninfo
