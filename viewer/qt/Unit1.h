#pragma once

#include "platform/qt/QtWindowOps.h"
#include "viewer/ViewerSession.h"

#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QStatusBar;

namespace zuninfo {
class TableWindow;
}

// The viewer's one window: a Load, a Prev and a Next button over two columns
// of labelled fields, and a status bar that shows the hint of the field that
// has the focus.
class TForm1 : public QWidget, public zuninfo::QtWindowOps {
    Q_OBJECT

public:
    // Builds the window and its controls, then reads the name lists into the
    // combo boxes. An Exception from a malformed name list leaves the
    // constructor; a missing list shows "File not found" first.
    explicit TForm1(QWidget* parent = nullptr);
    // The same on the files the command line chose.
    explicit TForm1(zuninfo::ViewerOptions options, QWidget* parent = nullptr);
    ~TForm1() override;

    // The table of all monsters (Ctrl+T), made when first shown; nullptr
    // until then.
    zuninfo::TableWindow* ShowTable();
    zuninfo::TableWindow* Table() const;

    // Files dropped on the window, or chosen to open: see
    // zuninfo::ViewerSession::Open.
    void OpenFiles(const std::vector<std::string>& paths);

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    // The focus entered an edit box (Edit1Enter) or a combo box
    // (ComboBox1Enter): show its hint in the status bar.
    void Edit1Enter(QWidget* sender);
    void ComboBox1Enter(QWidget* sender);

protected:
    QWidget* MessageParent() const override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void Detach();
    void FinishStartUp();
    void ShowHintOf(QWidget* control);
    void FocusChanged(QWidget* now);
    void ChooseFileToOpen();
    void RecordsChanged();
    bool MayLeaveEdits();

    zuninfo::ViewerSession session_;
    QPointer<zuninfo::TableWindow> table_;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusText_ = nullptr;
    bool painted_ = false;
};

// The main window; set before the window's constructor body runs and valid
// until the window is destroyed.
extern TForm1* Form1;
