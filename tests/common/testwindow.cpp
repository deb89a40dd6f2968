#include "common/testwindow.h"

#include "shell/docview.h"

#include <QSqlRecord>

TestWindow::TestWindow(TestDb& t) : t_(t) {
    TMain::GuardPath = guardDir_.filePath(QStringLiteral("Orva.lock"));
    main_ = std::make_unique<TMain>();
    Main = main_.get();
    t.db().SetMainState(Main);
    main_->show();
}

TestWindow::~TestWindow() {
    delete DocView;
    DocView = nullptr;
    t_.db().SetMainState(&t_.state());
    main_.reset();
    Main = nullptr;
}

QString LedgerSnapshot(TDB& db) {
    QStringList lines;
    const Rows rows = db.Select(QStringLiteral("SELECT * FROM DOKUMENT ORDER BY ID_DOKUMENT"));
    for (const QSqlRecord& r : rows) {
        QStringList values;
        for (int i = 0; i < r.count(); ++i)
            values << r.value(i).toString();
        lines << values.join(QLatin1Char('|'));
    }
    lines << db.Scalar(QStringLiteral("SELECT DOCID FROM SYSCOUNT")).toString();
    return lines.join(QLatin1Char('\n'));
}
