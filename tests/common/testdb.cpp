#include "common/testdb.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

bool TestDb::Create(const QString& path, QString* error) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"),
            {QStringLiteral(ORVA_SOURCE_DIR "/scripts/create-db.sh"), path});
    const bool ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit &&
                    p.exitCode() == 0 && QFile::exists(path);
    if (!ok && error)
        *error = QString::fromLocal8Bit(p.readAll());
    return ok;
}

QString TestDb::Template() {
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        const QString candidate = dir.filePath(QStringLiteral("TEMPLATE.GDB"));
        QString error;
        if (!Create(candidate, &error))
            qFatal("Cannot create the test database: %s", qPrintable(error));
        path = candidate;
    }
    return path;
}

TestDb::TestDb() {
    if (!QFile::copy(Template(), path()))
        qFatal("Cannot copy the test database");
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    db_ = std::make_unique<TDB>(dir_.path());
    db_->SetUi(&ui_);
    db_->SetMainState(&state_);
    previous_ = DB;
    DB = db_.get();
}

TestDb::~TestDb() {
    if (DB == db_.get())
        DB = previous_;
    db_.reset();
}

QString TestDb::path() const { return QDir(dir_.path()).filePath(QStringLiteral("ORVA.GDB")); }

void TestDb::Run(const QStringList& statements) {
    const bool ok = db_->RunAction([&] {
        for (const QString& sql : statements)
            db_->Exec(sql);
        db_->CommitWork();
    });
    if (!ok)
        qFatal("Set-up failed: %s", qPrintable(ui_.Texts().join(QLatin1Char('\n'))));
}

QVariant TestDb::Value(const QString& sql) { return db_->Scalar(sql); }
