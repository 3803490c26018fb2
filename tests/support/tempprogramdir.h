#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh program directory for one test: DALU_HOME points at it while the object lives.
class TempProgramDir {
public:
    TempProgramDir();
    ~TempProgramDir();

    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }

    void writeFile(const QString& name, const QByteArray& content) const;
    QByteArray readFile(const QString& name) const;
    // Copies the delivered data files (reference and language files) into the directory.
    void copyDataFiles() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    bool m_hadHome;
};
