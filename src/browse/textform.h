#pragma once

#include <QDialog>

#include <functional>

class QAction;
class QMenu;
class QPlainTextEdit;

// The editor for long comments: the edit page puts the comment in and takes whatever the
// memo holds when the window closes.
class TTextForm : public QDialog {
    Q_OBJECT
public:
    explicit TTextForm(QWidget* parent = nullptr);

    // The memo's text, lines separated by "\n".
    QString text() const;
    void setText(const QString& text);
    // The memo's lines from and to a Windows-1252 text file; failures throw DaluError.
    void loadFile(const QString& path);
    void saveFile(const QString& path) const;
    void setWordWrap(bool on);

    static const char* const kFileFilter;

public slots:
    void Laden1Click();
    void Speichern1Click();
    void Zeilenumbruch1Click();

private:
    // Window-modal, asks before overwriting when saving; the chosen file goes to action.
    void runFileDialog(const QString& title, bool save, std::function<void(const QString&)> action);

    QMenu* ext1;
    QMenu* Format1;
    QAction* Laden1;
    QAction* Speichern1;
    QAction* Zeilenumbruch1;
    QPlainTextEdit* Memo;
};
