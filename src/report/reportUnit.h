// The run report viewer: a copy of the report's lines that the operator may
// edit and save under a name of their choice.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TreportForm : public QDialog {
    Q_OBJECT
public:
    explicit TreportForm(QWidget* parent = nullptr);

    QPlainTextEdit* rMemo;
    QPushButton* saveAs;

    // Replaces the text with these lines.
    void showLines(const QStringList& lines);
    // The lines as the operator sees them, edits included.
    QStringList memoLines() const;
    // Saves a copy: the chosen name with ".txt" appended.
    void saveAsClick();
};

extern TreportForm* reportForm;
