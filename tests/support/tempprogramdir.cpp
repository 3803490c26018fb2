#include "tempprogramdir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

TempProgramDir::TempProgramDir()
    : m_oldHome(qgetenv("DALU_HOME")), m_hadHome(qEnvironmentVariableIsSet("DALU_HOME")) {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary directory");
    qputenv("DALU_HOME", QFile::encodeName(m_dir.path()));
}

TempProgramDir::~TempProgramDir() {
    if (m_hadHome)
        qputenv("DALU_HOME", m_oldHome);
    else
        qunsetenv("DALU_HOME");
}

void TempProgramDir::writeFile(const QString& name, const QByteArray& content) const {
    QFile f(file(name));
    QDir().mkpath(QFileInfo(f).absolutePath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray TempProgramDir::readFile(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TempProgramDir::copyDataFiles() const {
    const QDir source(QStringLiteral(DALU_DATA_DIR));
    QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = file(source.relativeFilePath(from));
        QDir().mkpath(QFileInfo(to).absolutePath());
        QFile::copy(from, to);
    }
}
