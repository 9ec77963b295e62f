#include "viewer/qt/TableWindow.h"

#include "viewer/FormLayout.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>

#include <algorithm>
#include <utility>

namespace zuninfo {

namespace {

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// The store as a table: a row is the record in that slot, its cells the
// core's text. Nothing is copied; the store is read as the view asks.
class RecordModel final : public QAbstractTableModel {
public:
    RecordModel(const RecordTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : table_.RecordCount(); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : RecordTable::ColumnCount();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return FromUtf8(table_.CellText(index.row(), index.column()));
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignVCenter
                                       | (RecordTable::IsNumber(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return QString::fromLatin1(RecordTable::Caption(section));
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    // The records were read (or the table emptied): every row anew.
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    const RecordTable& table_;
};

// Sorting and filtering by the core's rules. Qt sorts a reversed order by
// asking whether the later row comes first; the core says so for either
// direction.
class RecordSortFilter final : public QSortFilterProxyModel {
public:
    RecordSortFilter(const RecordTable& table, QObject* parent) : QSortFilterProxyModel(parent), table_(table) {}

    void Refilter() { invalidateFilter(); }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex&) const override { return table_.Matches(sourceRow); }

    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        const int column = left.column();
        return sortOrder() == Qt::AscendingOrder ? table_.Before({column, false}, left.row(), right.row())
                                                 : table_.Before({column, true}, right.row(), left.row());
    }

private:
    const RecordTable& table_;
};

TableWindow::TableWindow(std::function<void(int)> choose, QWidget* owner)
    : QWidget(owner, Qt::Window), choose_(std::move(choose)), table_(rules_)
{
    setObjectName(QStringLiteral("AllMonsters"));
    // The main window's font, which is loaded already.
    setAttribute(Qt::WA_WindowPropagation);
    setWindowTitle(QString::fromLatin1(kTableCaption));
    resize(kTableClientWidth, kTableClientHeight);

    auto* label = new QLabel(QString::fromLatin1(kTableControls[0].caption), this);
    label->setObjectName(QString::fromLatin1(kTableControls[0].name));
    label->move(kTableControls[0].left, kTableControls[0].top);
    label->adjustSize();
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QString::fromLatin1(kTableControls[1].name));
    filter_->setGeometry(kTableControls[1].left, kTableControls[1].top, kTableControls[1].width,
                         kTableControls[1].height);
    filter_->setToolTip(QString::fromLatin1(kTableControls[1].hint));
    filter_->setAccessibleDescription(filter_->toolTip());
    label->setBuddy(filter_);

    model_ = new RecordModel(table_, this);
    proxy_ = new RecordSortFilter(table_, this);
    // (Sorting dynamically: rows the filter lets in again take their sorted places.)
    proxy_->setSourceModel(model_);

    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("Table"));
    view_->setAccessibleName(QString::fromLatin1(kTableCaption));
    view_->setModel(proxy_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->setAlternatingRowColors(true);
    view_->verticalHeader()->hide();
    // Rows of one height, told once, so that nothing measures 500 rows.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    QHeaderView* header = view_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setHighlightSections(false);
    const QFontMetrics captions(header->font());
    for (int column = 0; column < RecordTable::ColumnCount(); ++column) {
        const int least = RecordTable::IsNumber(column) ? kNumberColumnWidth : kNameColumnWidth;
        // The caption, and room for the sort arrow beside it.
        const int caption = captions.horizontalAdvance(QString::fromLatin1(RecordTable::Caption(column))) + 28;
        header->resizeSection(column, std::max(least, caption));
    }
    view_->installEventFilter(this);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Status"));
    status_->setTextFormat(Qt::PlainText);
    status_->setIndent(4);

    connect(header, &QHeaderView::sectionClicked, this, &TableWindow::HeaderClicked);
    connect(filter_, &QLineEdit::textChanged, this, &TableWindow::FilterChanged);
    connect(view_, &QTableView::doubleClicked, this, &TableWindow::Choose);

    UpdateStatus();
}

TableWindow::~TableWindow() = default;

void TableWindow::SetLoaded(bool loaded)
{
    if (loaded == table_.Loaded())
        return;
    table_.SetLoaded(loaded);
    model_->Reset();
    if (sort_.column >= 0)
        proxy_->sort(sort_.column, sort_.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    UpdateStatus();
}

void TableWindow::HeaderClicked(int column)
{
    sort_ = SortAfterClick(sort_, column);
    const Qt::SortOrder order = sort_.descending ? Qt::DescendingOrder : Qt::AscendingOrder;
    proxy_->sort(column, order);
    view_->horizontalHeader()->setSortIndicator(column, order);
}

void TableWindow::FilterChanged(const QString& text)
{
    const QByteArray typed = text.toUtf8();
    table_.SetFilter(std::string(typed.constData(), static_cast<std::size_t>(typed.size())));
    proxy_->Refilter();
    UpdateStatus();
}

void TableWindow::Choose(const QModelIndex& index)
{
    if (index.isValid())
        choose_(proxy_->mapToSource(index).row());
}

void TableWindow::CopySelection()
{
    QModelIndexList rows = view_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<int> records;
    records.reserve(static_cast<std::size_t>(rows.size()));
    for (const QModelIndex& row : rows)
        records.push_back(proxy_->mapToSource(row).row());
    QGuiApplication::clipboard()->setText(FromUtf8(table_.CopyText(records, "\n")));
}

void TableWindow::UpdateStatus()
{
    status_->setText(FromUtf8(table_.Status(proxy_->rowCount())));
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            CopySelection();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Choose(view_->currentIndex());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TableWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int statusHeight = kTableStatusHeight;
    view_->setGeometry(0, kTableTop, width(), std::max(0, height() - kTableTop - statusHeight));
    status_->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

} // namespace zuninfo
