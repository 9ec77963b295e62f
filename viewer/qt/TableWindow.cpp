#include "viewer/qt/TableWindow.h"

#include "viewer/EditMessages.h"
#include "viewer/FormLayout.h"
#include "viewer/RecordBrowser.h"
#include "viewer/TableEditor.h"
#include "viewer/ViewerSession.h"
#include "viewer/qt/WindowDialogs.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QCloseEvent>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <limits>
#include <utility>

namespace zuninfo {

namespace {

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

// The store as a table: a row is the record in that slot, its cells the
// core's text. Nothing is copied; the store is read as the view asks. A
// cell the editor changed says so (its background, and its tooltip and
// accessible text for a screen reader).
class RecordModel final : public QAbstractTableModel {
public:
    RecordModel(const RecordTable& table, TableWindow& window, QObject* parent)
        : QAbstractTableModel(parent), table_(table), window_(window)
    {
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : table_.RecordCount(); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : RecordTable::ColumnCount();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
    }

    bool Changed(const QModelIndex& index) const
    {
        return index.isValid() && window_.Editor().Differs(index.row(), index.column());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return FromUtf8(table_.CellText(index.row(), index.column()));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignVCenter
                                       | (RecordTable::IsNumber(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
        case Qt::BackgroundRole:
            if (Changed(index))
                return QColor(255, 236, 160);
            return {};
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            if (Changed(index))
                return FromUtf8(window_.Editor().ChangeText(index.row(), index.column()));
            return {};
        case Qt::AccessibleTextRole:
            if (Changed(index))
                return FromUtf8(table_.CellText(index.row(), index.column()) + ", "
                                + window_.Editor().ChangeText(index.row(), index.column()));
            return {};
        default:
            return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole)
            return false;
        return window_.Commit(index.row(), index.column(), ToUtf8(value.toString()));
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return QString::fromLatin1(RecordTable::Caption(section));
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    // The records were read (or the table emptied, or records came or
    // went): every row anew.
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }

    void CellChanged(int row, int column) { emit dataChanged(index(row, column), index(row, column)); }
    void RecordChanged(int row) { emit dataChanged(index(row, 0), index(row, columnCount() - 1)); }
    void AllChanged()
    {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }

private:
    const RecordTable& table_;
    TableWindow& window_;
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

// The editors of the cells: a line for a number, an editable drop-down of
// the list's names for an id, completing as one types. Enter and Tab
// commit what the core takes, and keep the editor open with the text typed
// when it refuses; Escape cancels. The current cell is framed.
class CellDelegate final : public QStyledItemDelegate {
public:
    CellDelegate(TableWindow& window, const QSortFilterProxyModel& proxy, QObject* parent)
        : QStyledItemDelegate(parent), window_(window), proxy_(proxy)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const QModelIndex source = proxy_.mapToSource(index);
        QLineEdit* line = nullptr;
        QWidget* editor = nullptr;
        if (RecordTable::IsNumber(source.column())) {
            line = new QLineEdit(parent);
            editor = line;
        } else {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            QStringList texts;
            for (const NameChoice& choice : window_.Editor().ChoicesFor(source.column()).All())
                texts.append(FromUtf8(choice.text));
            combo->addItems(texts);
            auto* completer = new QCompleter(texts, combo);
            completer->setCaseSensitivity(Qt::CaseInsensitive);
            completer->setCompletionMode(QCompleter::PopupCompletion);
            combo->setCompleter(completer);
            line = combo->lineEdit();
            // While the completions are up, they take Enter and hand it to
            // the line past every event filter: it commits from there.
            auto* self = const_cast<CellDelegate*>(this);
            connect(line, &QLineEdit::returnPressed, combo, [self, combo] { self->Finish(combo, false); });
            editor = combo;
        }
        // Text of any length reaches the core, which says what it makes of it.
        line->setMaxLength(std::numeric_limits<int>::max());
        line->setAccessibleName(QString::fromLatin1(RecordTable::Caption(source.column())));
        line->installEventFilter(const_cast<CellDelegate*>(this));
        editor->setProperty("slot", source.row());
        editor->setProperty("column", source.column());
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        const QString text = index.data(Qt::EditRole).toString();
        QLineEdit* line = LineOf(editor);
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            const int item = combo->findText(text);
            combo->setCurrentIndex(item);
            combo->setEditText(text);
        } else {
            line->setText(text);
        }
        line->selectAll();
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, LineOf(editor)->text(), Qt::EditRole);
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        QRect place = option.rect;
        place.setHeight(std::max(place.height(), editor->sizeHint().height()));
        editor->setGeometry(place);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shown = option;
        if (static_cast<const RecordModel*>(proxy_.sourceModel())->Changed(proxy_.mapToSource(index)))
            shown.font.setBold(true);
        QStyledItemDelegate::paint(painter, shown, index);
        if (option.state & QStyle::State_HasFocus) {
            painter->save();
            painter->setPen(QPen(option.palette.color(QPalette::Text), 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
            painter->restore();
        }
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        // The editor is a line, or a drop-down whose line hands it the keys.
        QWidget* editor = nullptr;
        QLineEdit* line = nullptr;
        if (auto* combo = qobject_cast<QComboBox*>(object)) {
            editor = combo;
            line = combo->lineEdit();
        } else if ((line = qobject_cast<QLineEdit*>(object)) != nullptr) {
            editor = qobject_cast<QComboBox*>(line->parentWidget()) != nullptr ? line->parentWidget() : line;
        }
        if (line == nullptr || event->type() != QEvent::KeyPress) {
            // The drop-down's own events are the ones that commit on leaving it.
            if (line != nullptr && editor != line)
                return editor == object ? QStyledItemDelegate::eventFilter(object, event) : false;
            return QStyledItemDelegate::eventFilter(object, event);
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab: {
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                return false;
            Finish(editor, key->key() == Qt::Key_Tab);
            return true;
        }
        case Qt::Key_Escape:
            emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            window_.EditEnded();
            return true;
        default:
            return false;
        }
    }

private:
    // Enter or Tab: commits what the core takes, else keeps the editor open.
    void Finish(QWidget* editor, bool tab)
    {
        const int slot = editor->property("slot").toInt(), column = editor->property("column").toInt();
        if (!window_.Acceptable(slot, column, ToUtf8(LineOf(editor)->text())))
            return;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (tab)
            window_.MoveRight();
    }

    static QLineEdit* LineOf(QWidget* editor)
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            return combo->lineEdit();
        return qobject_cast<QLineEdit*>(editor);
    }

    TableWindow& window_;
    const QSortFilterProxyModel& proxy_;
};

TableWindow::TableWindow(std::function<void(int)> choose, const ViewerSession& session, QWidget* owner)
    : QWidget(owner, Qt::Window), choose_(std::move(choose)), session_(session), table_(rules_),
      editor_(std::make_unique<TableEditor>(table_)), file_(std::make_unique<EditedFile>(*editor_, session))
{
    setObjectName(QStringLiteral("AllMonsters"));
    // The main window's font, which is loaded already.
    setAttribute(Qt::WA_WindowPropagation);
    setWindowTitle(QString::fromLatin1(kTableCaption) + QStringLiteral("[*]"));

    CreateMenus();
    top_ = menuBar_->sizeHint().height();
    resize(kTableClientWidth, kTableClientHeight + top_);

    auto* label = new QLabel(QString::fromLatin1(kTableControls[0].caption), this);
    label->setObjectName(QString::fromLatin1(kTableControls[0].name));
    label->move(kTableControls[0].left, kTableControls[0].top + top_);
    label->adjustSize();
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QString::fromLatin1(kTableControls[1].name));
    filter_->setGeometry(kTableControls[1].left, kTableControls[1].top + top_, kTableControls[1].width,
                         kTableControls[1].height);
    filter_->setToolTip(QString::fromLatin1(kTableControls[1].hint));
    filter_->setAccessibleDescription(filter_->toolTip());
    label->setBuddy(filter_);

    model_ = new RecordModel(table_, *this, this);
    proxy_ = new RecordSortFilter(table_, this);
    // (Sorting dynamically: rows the filter lets in again take their sorted places.)
    proxy_->setSourceModel(model_);

    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("Table"));
    view_->setAccessibleName(QString::fromLatin1(kTableCaption));
    view_->setModel(proxy_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // F2 edits the current cell; a character typed edits it afresh.
    view_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    delegate_ = new CellDelegate(*this, *proxy_, this);
    view_->setItemDelegate(delegate_);
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

    EditsChanged();
}

// The view and the models go before the table and the editor they read.
TableWindow::~TableWindow()
{
    delete view_;
    delete proxy_;
    delete model_;
}

void TableWindow::CreateMenus()
{
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("Menus"));
    const auto action = [this](QMenu* menu, const char* text, QKeySequence shortcut, auto slot) {
        QAction* made = menu->addAction(FromUtf8(text));
        made->setShortcut(shortcut);
        made->setShortcutContext(Qt::WindowShortcut);
        connect(made, &QAction::triggered, this, slot);
        return made;
    };
    QMenu* file = menuBar_->addMenu(FromUtf8(kFileMenu));
    save_ = action(file, kSaveCommand, QKeySequence::Save, [this] { Save(); });
    saveAs_ = action(file, kSaveAsCommand, QKeySequence(QString::fromLatin1(kSaveAsShortcut)), [this] { SaveAs(); });
    file->addSeparator();
    import_ = action(file, kImportCommand, QKeySequence(), [this] { ImportEdits(); });
    export_ = action(file, kExportCommand, QKeySequence(), [this] { Export(); });
    file->addSeparator();
    action(file, kCloseCommand, QKeySequence::Close, [this] { close(); });

    QMenu* edit = menuBar_->addMenu(FromUtf8(kEditMenu));
    undo_ = action(edit, kUndoCommand, QKeySequence(QString::fromLatin1(kUndoShortcut)), [this] { Undo(); });
    redo_ = action(edit, kRedoCommand, QKeySequence(QString::fromLatin1(kRedoShortcut)), [this] { Redo(); });
    redo_->setShortcuts({QKeySequence(QString::fromLatin1(kRedoShortcut)), QKeySequence(QString::fromLatin1(kRedoOtherShortcut))});

    QMenu* records = menuBar_->addMenu(FromUtf8(kRecordsMenu));
    add_ = action(records, kAddCommand, QKeySequence(QString::fromLatin1(kAddShortcut)), [this] { AddRecord(); });
    delete_ = action(records, kDeleteCommand, QKeySequence(QString::fromLatin1(kDeleteShortcut)),
                     [this] { DeleteRecords(); });
    // Each menu and command is named for a screen reader by its text.
    for (QMenu* menu : {file, edit, records})
        menu->setAccessibleName(menu->title().replace(QLatin1Char('&'), QString()));
}

void TableWindow::SetLoaded(bool loaded)
{
    if (loaded == table_.Loaded())
        return;
    table_.SetLoaded(loaded);
    if (loaded) {
        file_->Loaded();
    }
    model_->Reset();
    if (sort_.column >= 0)
        proxy_->sort(sort_.column, sort_.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    EditsChanged();
}

QString TableWindow::StatusText() const
{
    return status_->text();
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
    table_.SetFilter(ToUtf8(text));
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
    status_->setText(FromUtf8(editor_->Status(proxy_->rowCount())));
}

void TableWindow::Say(const std::string& text)
{
    status_->setText(FromUtf8(text));
}

bool TableWindow::Acceptable(int slot, int column, const std::string& text)
{
    const CellInput input = editor_->Check(slot, column, text);
    if (!input.value) {
        Say(input.refusal);
        return false;
    }
    return true;
}

bool TableWindow::Commit(int slot, int column, const std::string& text)
{
    const EditOutcome outcome = editor_->SetCell(slot, column, text);
    if (!outcome.refusal.empty()) {
        Say(outcome.refusal);
        return false;
    }
    if (outcome.done)
        model_->CellChanged(slot, column);
    EditsChanged();
    return true;
}

void TableWindow::EditEnded()
{
    UpdateStatus();
}

void TableWindow::MoveRight()
{
    const QModelIndex current = view_->currentIndex();
    if (current.isValid() && current.column() + 1 < proxy_->columnCount())
        view_->setCurrentIndex(current.sibling(current.row(), current.column() + 1));
}

int TableWindow::CurrentSlot() const
{
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? proxy_->mapToSource(current).row() : -1;
}

// A cell being edited commits what it holds first, if the core takes it.
void TableWindow::CommitOpenEditor()
{
    if (QWidget* focus = QApplication::focusWidget(); focus != nullptr && view_->viewport()->isAncestorOf(focus))
        view_->setFocus();
}

void TableWindow::Undo()
{
    CommitOpenEditor();
    Show(editor_->Undo());
}

void TableWindow::Redo()
{
    CommitOpenEditor();
    Show(editor_->Redo());
}

void TableWindow::AddRecord()
{
    CommitOpenEditor();
    const EditOutcome outcome = editor_->AddRecord(CurrentSlot());
    if (!outcome.done) {
        Say(outcome.refusal);
        return;
    }
    Show(outcome.place);
}

void TableWindow::DeleteRecords()
{
    CommitOpenEditor();
    std::vector<int> chosen;
    for (const QModelIndex& row : view_->selectionModel()->selectedRows())
        chosen.push_back(proxy_->mapToSource(row).row());
    if (chosen.empty() && CurrentSlot() >= 0)
        chosen.push_back(CurrentSlot());
    const EditOutcome outcome = editor_->DeleteRecords(std::move(chosen));
    if (!outcome.done) {
        Say(outcome.refusal);
        return;
    }
    Show(outcome.place);
}

// After a step done, undone or redone: the rows or cells it changed shown
// anew, and its place made current.
void TableWindow::Show(const std::optional<EditPlace>& place)
{
    if (!place)
        return;
    const QModelIndex current = view_->currentIndex();
    const int column = place->column >= 0 ? place->column : std::max(current.column(), 0);
    if (place->rowsMoved) {
        model_->Reset();
        if (sort_.column >= 0)
            proxy_->sort(sort_.column, sort_.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    } else if (place->oneRecord) {
        model_->RecordChanged(place->slot);
    } else {
        model_->AllChanged();
    }
    const int slot = std::min(place->slot, model_->rowCount() - 1);
    if (slot >= 0) {
        const QModelIndex shown = proxy_->mapFromSource(model_->index(slot, column));
        if (shown.isValid()) {
            view_->setCurrentIndex(shown);
            view_->scrollTo(shown);
        }
    }
    EditsChanged();
}

// The marker of changes not saved, the commands that can be used now, and
// the status line.
void TableWindow::EditsChanged()
{
    setWindowModified(editor_->Modified());
    const bool editable = table_.Loaded() && editor_->Editable();
    const EditHistory& history = editor_->History();
    undo_->setEnabled(history.CanUndo());
    redo_->setEnabled(history.CanRedo());
    undo_->setText(FromUtf8(kUndoCommand) + (history.CanUndo() ? QStringLiteral(" ") + FromUtf8(history.UndoText()) : QString()));
    redo_->setText(FromUtf8(kRedoCommand) + (history.CanRedo() ? QStringLiteral(" ") + FromUtf8(history.RedoText()) : QString()));
    save_->setEnabled(editable);
    import_->setEnabled(editable);
    export_->setEnabled(table_.Loaded());
    saveAs_->setEnabled(editable);
    add_->setEnabled(editable);
    delete_->setEnabled(editable);
    view_->setEditTriggers(editable ? QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                                    : QAbstractItemView::NoEditTriggers);
    UpdateStatus();
}

bool TableWindow::Save()
{
    CommitOpenEditor();
    WindowDialogs dialogs(this);
    return Saved(file_->Save(dialogs));
}

bool TableWindow::SaveAs()
{
    CommitOpenEditor();
    WindowDialogs dialogs(this);
    return Saved(file_->SaveAs(dialogs));
}

bool TableWindow::ImportEdits()
{
    CommitOpenEditor();
    WindowDialogs dialogs(this);
    const SaveResult result = file_->ImportEdits(dialogs);
    if (result.done)
        Show(EditPlace{0, -1, true});
    if (!result.status.empty())
        Say(result.status);
    return result.done;
}

bool TableWindow::Export()
{
    CommitOpenEditor();
    WindowDialogs dialogs(this);
    const SaveResult result = file_->Export(dialogs);
    if (!result.status.empty())
        Say(result.status);
    return result.done;
}

bool TableWindow::Saved(const SaveResult& result)
{
    if (result.done) {
        model_->AllChanged();
        EditsChanged();
    }
    if (!result.status.empty())
        Say(result.status);
    return result.done;
}

bool TableWindow::MayLeave()
{
    CommitOpenEditor();
    WindowDialogs dialogs(this);
    const SaveResult result = file_->Leave(dialogs);
    if (result.discarded) {
        model_->Reset();
        if (sort_.column >= 0)
            proxy_->sort(sort_.column, sort_.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        EditsChanged();
        // The main window shows its record as it is again.
        if (table_.Loaded())
            choose_(CurrentIndex);
    } else {
        Saved(result);
    }
    return result.done;
}

void TableWindow::closeEvent(QCloseEvent* event)
{
    if (MayLeave())
        QWidget::closeEvent(event);
    else
        event->ignore();
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
    menuBar_->setGeometry(0, 0, width(), top_);
    view_->setGeometry(0, kTableTop + top_, width(), std::max(0, height() - kTableTop - top_ - statusHeight));
    status_->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

} // namespace zuninfo
