#pragma once

#include "platform/qt/QtWindowOps.h"

#include <QWidget>

class QLabel;
class QStatusBar;

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
    ~TForm1() override;

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

private:
    void CreateControls();
    void Detach();
    void FinishStartUp();
    void ShowHintOf(QWidget* control);
    void FocusChanged(QWidget* now);

    QStatusBar* statusBar_ = nullptr;
    QLabel* statusText_ = nullptr;
    bool painted_ = false;
};

// The main window; set before the window's constructor body runs and valid
// until the window is destroyed.
extern TForm1* Form1;
