#pragma once

class QString;
class QWidget;

// A modal message box with the text and an OK button, titled with the
// application's name; returns when it is dismissed. A parent that is not
// shown yet is not used, so a box during start-up stands on its own.
void ShowMessage(QWidget* parent, const QString& text);

// The error box for an error that ends the program.
void ShowException(const QString& message);
