// The about box: it opens short and grows, once, to show the author's note.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace quorbex {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    void OnInitDialog();
    void OnExpand();
    int DoModal();

    QPushButton* ExpandButton() const { return m_expand; }
    QPlainTextEdit* NoteBox() const { return m_note; }

private:
    void SetHeight(int height);

    QPushButton* m_expand;
    QPlainTextEdit* m_note;
};

}  // namespace quorbex
