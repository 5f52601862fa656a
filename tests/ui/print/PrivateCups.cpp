// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateCups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace {

constexpr char kServerConf[] = R"(Listen @DIR@/cups.sock
LogLevel warn
Browsing Off
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)";

// The system's filters turn a PDF into the pages the queue prints (its
// paper, the pages chosen); the printer writes them to a file.
constexpr char kFilesConf[] = R"(ServerRoot @DIR@
RequestRoot @DIR@/spool
TempDir @DIR@/tmp
CacheDir @DIR@/cache
StateDir @DIR@/state
AccessLog @DIR@/log/access_log
ErrorLog @DIR@/log/error_log
PageLog @DIR@/log/page_log
DataDir /usr/share/cups
ServerBin /usr/lib/cups
FileDevice Yes
)";

// A PDF printer, on Letter unless told otherwise.
constexpr char kPpd[] = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "LETTER.PPD"
*Manufacturer: "Test"
*Product: "(Letter PDF)"
*ModelName: "Letter PDF"
*ShortNickName: "Letter PDF"
*NickName: "Letter PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: Letter
*PageSize Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: Letter
*PageRegion Letter/US Letter: "<</PageSize[612 792]>>setpagedevice"
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: Letter
*ImageableArea Letter/US Letter: "18 18 594 774"
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: Letter
*PaperDimension Letter/US Letter: "612 792"
*PaperDimension A4/A4: "595 842"
)ppd";

bool WriteFile(const QString& path, const char* text, const QString& dir)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(QString::fromUtf8(text).replace(QStringLiteral("@DIR@"), dir).toUtf8()) > 0;
}

} // namespace

PrivateCups::PrivateCups()
{
    const QString dir = dir_.path();
    QDir root(dir);
    for (const char* folder : {"spool", "tmp", "cache", "state", "log"}) {
        root.mkpath(QLatin1String(folder));
    }
    const bool written =
        WriteFile(dir_.filePath(QStringLiteral("cupsd.conf")), kServerConf, dir) &&
        WriteFile(dir_.filePath(QStringLiteral("cups-files.conf")), kFilesConf, dir) &&
        WriteFile(dir_.filePath(QStringLiteral("letter.ppd")), kPpd, dir);
    if (!written) {
        error_ = QStringLiteral("could not write the server's files in ") + dir;
        return;
    }
    const QString socket = dir_.filePath(QStringLiteral("cups.sock"));
    qputenv("CUPS_SERVER", QFile::encodeName(socket));
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start(QStringLiteral("/usr/sbin/cupsd"),
                  {QStringLiteral("-f"), QStringLiteral("-c"),
                   dir_.filePath(QStringLiteral("cupsd.conf")), QStringLiteral("-s"),
                   dir_.filePath(QStringLiteral("cups-files.conf"))});
    if (!server_.waitForStarted()) {
        error_ = QStringLiteral("cupsd (cups-daemon) did not start: ") + server_.errorString();
        return;
    }
    for (int tries = 0; tries < 100 && !QFileInfo::exists(socket); ++tries) {
        QThread::msleep(50);
    }
    if (!run(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), QStringLiteral("letter"), QStringLiteral("-E"),
              QStringLiteral("-v"), QStringLiteral("file://") + printout(), QStringLiteral("-P"),
              dir_.filePath(QStringLiteral("letter.ppd"))}) ||
        !run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("letter")})) {
        error_ += QStringLiteral("\ncupsd: ") + QString::fromLocal8Bit(server_.readAll());
    }
}

PrivateCups::~PrivateCups()
{
    server_.terminate();
    server_.waitForFinished();
}

bool PrivateCups::run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0) {
        return true;
    }
    error_ = program + u' ' + arguments.join(u' ') + QStringLiteral(": ") +
             QString::fromLocal8Bit(process.readAll()) + process.errorString();
    return false;
}

QString PrivateCups::printout() const
{
    return dir_.filePath(QStringLiteral("printout.pdf"));
}

QString PrivateCups::knownJobs() const
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"),
                 {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")});
    lpstat.waitForFinished();
    return QString::fromLocal8Bit(lpstat.readAllStandardOutput()).trimmed();
}
