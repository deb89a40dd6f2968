#include "common/holder.h"

DatabaseHolder::DatabaseHolder(const QString& path) {
    isql_.setProcessChannelMode(QProcess::MergedChannels);
    isql_.start(QStringLiteral("isql-fb"),
                {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                 QStringLiteral("-pas"), QStringLiteral("qornubixe"), path});
    if (!isql_.waitForStarted(10000))
        return;
    isql_.write("SELECT 'HELD' FROM RDB$DATABASE;\n");
    QByteArray said;
    while (!said.contains("HELD") && isql_.waitForReadyRead(10000))
        said += isql_.readAll();
    holds_ = said.contains("HELD");
}

DatabaseHolder::~DatabaseHolder() {
    isql_.write("QUIT;\n");
    isql_.closeWriteChannel();
    if (!isql_.waitForFinished(10000)) {
        isql_.kill();
        isql_.waitForFinished(10000);
    }
}
