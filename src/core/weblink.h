#pragma once

#include <QString>

// Web addresses taken from data files (the district pages of DOK.ini) go to the desktop's
// opener, which would also run a file, a script or a network share. Only web pages pass.
namespace WebLink {

// The address to open: an http or https address as it is, a bare host ("www.darc.de/x")
// with "https://" in front. Empty for anything else (file:, javascript:, smb:, ...), which
// the window only shows.
QString openable(const QString& address);

} // namespace WebLink
