#pragma once

#include "platform/qt/NameText.h"
#include "viewer/RecordTable.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QTableView;

namespace zuninfo {

class RecordModel;
class RecordSortFilter;

// "All monsters": every record Load read, one row each, in a table that
// sorts by the column whose header is clicked, keeps the rows a filter
// matches, shows the record of a row chosen (Enter, double-click) in the main
// window, and copies the selected rows (Ctrl+C). A QTableView over a model
// that reads the store through the core's RecordTable, behind a
// QSortFilterProxyModel that sorts and filters by the core's rules.
class TableWindow : public QWidget {
    Q_OBJECT

public:
    // `choose` shows a record (its slot) in the main window. The window is
    // a top-level window of its own, owned by `owner`.
    TableWindow(std::function<void(int)> choose, QWidget* owner);
    ~TableWindow() override;

    // Whether Load has read the monster file: the rows follow.
    void SetLoaded(bool loaded);

    QTableView* View() const { return view_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void HeaderClicked(int column);
    void FilterChanged(const QString& text);
    void Choose(const QModelIndex& index);
    void CopySelection();
    void UpdateStatus();

    std::function<void(int)> choose_;
    QtTextRules rules_;
    RecordTable table_;
    TableSort sort_;
    RecordModel* model_ = nullptr;
    RecordSortFilter* proxy_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTableView* view_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace zuninfo
