// What the register benchmarks share: a program folder in a temporary folder whose data files are
// copies of the template, Module1 pointing at them for the working year 2026, the report files a
// benchmark prints with, and a message dialog that answers every question "no".
#pragma once

#include "app/core/messenger.h"
#include "app/core/module1.h"
#include "app/core/reference_recordsets.h"
#include "bench_main.h"
#include "registers/form_registry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <initializer_list>

namespace bench_support {

// Answers "no" to every question (print to the printer: a PDF under SELVARO_PRINT_TO).
class NoMessenger : public app::Messenger
{
public:
    QString show(const QString&, const QString& mode) override
    {
        return mode.compare(QLatin1String("yesno"), Qt::CaseInsensitive) == 0 ? QStringLiteral("no")
                                                                              : QStringLiteral("ok");
    }
    void closeNotice() override {}
};

class RegisterProgram
{
public:
    explicit RegisterProgram(std::initializer_list<const char*> reports)
    {
        const QString data = m_dir.filePath(QStringLiteral("data"));
        QDir().mkpath(data);
        for (const char* name : reports)
            QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/") + QString::fromLatin1(name),
                        data + u'/' + QString::fromLatin1(name));
        app::Module1& m = app::module1();
        m.programFolder = m_dir.path();
        m.lettersPath = copy(QStringLiteral("vemocv.mdb"));
        m.schedulePath = copy(QStringLiteral("vemolich.mdb"));
        m.scratchPath = copy(QStringLiteral("vemotemp.mdb"));
        m.referencePath = m.lettersReferencePath = m.scheduleReferencePath = copy(QStringLiteral("vemotk.mdb"));
        m.letters = db::Database::open(m.lettersPath, app::kConnect);
        m.schedule = db::Database::open(m.schedulePath, app::kConnect);
        m.scratch = db::Database::open(m.scratchPath, app::kConnect);
        m.reference = m.lettersReference = m.scheduleReference = db::Database::open(m.referencePath, app::kConnect);
        m.workingYear = QStringLiteral("2026");
        m.setYearTables();
        app::openReferenceRecordsets(app::module1());
        qputenv("SELVARO_PRINT_TO", m_dir.filePath(QStringLiteral("pdf")).toUtf8());
        app::setMessenger(&m_messenger);
        registers::setMainWindow(&m_main);
    }

private:
    QString copy(const QString& name)
    {
        const QString path = m_dir.filePath(QStringLiteral("data/") + name);
        QFile::copy(QStringLiteral(SELVARO_DATA_DIR "/vemogoc.mdb"), path);
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
        return path;
    }

    QTemporaryDir m_dir;
    NoMessenger m_messenger;
    QWidget m_main;
};

// The main of a register benchmark: a window system without a screen unless one is named, the
// benchmarks, then the forms they opened destroyed before the application goes.
inline int runRegisterBenchmarks(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv, nullptr, [] {
        registers::destroyForms();
        app::setMessenger(nullptr);
    });
}

} // namespace bench_support
