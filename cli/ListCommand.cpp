#include "cli/ListCommand.h"

#include "cli/CommandReport.h"
#include "cli/ExportBatch.h"
#include "cli/ExportFiles.h"
#include "document/DocumentReader.h"
#include "set/MaptileSet.h"

#include <QStringList>

#include <cstdio>
#include <mutex>
#include <vector>

int ListCommand::run(const QStringList &paths)
{
    if (paths.isEmpty()) {
        CommandReport::print(tr("--list needs at least one folder or document to list."));
        return 2;
    }
    const QStringList documents = MaptileSet::expand(paths);
    QStringList errors;
    ExportFiles files;
    for (const QString &document : documents)
        errors << files.documentError(files.addDocument(document));
    ExportBatch batch;
    CommandReport::confine(files);

    // A document given up after its time may still finish on its thread: it no longer counts.
    std::mutex lock;
    std::vector<MaptileSet::Entry> entries(size_t(documents.size()));
    std::vector<bool> givenUp(size_t(documents.size()), false);
    const auto work = [&](qsizetype i) {
        QByteArray bytes;
        QString why;
        if (!files.read(int(i), &bytes, &why))
            return why;
        QString reason;
        const MaptileDocument document = DocumentReader::decode(bytes, &reason);
        bytes.clear();
        files.release(int(i));
        if (!reason.isEmpty())
            return DocumentArchive::failure(documents[i], reason);
        MaptileSet::Entry entry = MaptileSet::entryOf(documents[i], document);
        if (entry.state != MaptileSet::State::Read)
            return entry.reason;
        const std::lock_guard<std::mutex> held(lock);
        if (!givenUp[size_t(i)])
            entries[size_t(i)] = std::move(entry);
        return QString();
    };
    errors = batch.run(documents, errors, work, [&](qsizetype i) {
        const std::lock_guard<std::mutex> held(lock);
        givenUp[size_t(i)] = true;
    });

    const std::lock_guard<std::mutex> held(lock);
    MaptileSet set;
    for (qsizetype i = 0; i < documents.size(); ++i)
        if (errors[i].isEmpty() && !givenUp[size_t(i)])
            set.set(set.add(documents[i]), entries[size_t(i)]);
    QStringList withoutNumber;
    for (const qsizetype i : set.order()) {
        const MaptileSet::Entry &entry = set.at(i);
        QStringList fields{entry.fileName(), entry.mapNum,
                           QStringLiteral("%1x%2").arg(entry.size.width()).arg(entry.size.height()), entry.designer,
                           entry.setNames.join(QLatin1Char(','))};
        // A tab or line break typed into a text would shift the columns.
        for (QString &field : fields)
            for (const QChar breaking : {QLatin1Char('\t'), QLatin1Char('\n'), QLatin1Char('\r')})
                field.replace(breaking, QLatin1Char(' '));
        std::fprintf(stdout, "%s\n", fields.join(QLatin1Char('\t')).toUtf8().constData());
        if (set.marks(i) & MaptileSet::NoNumber)
            withoutNumber << entry.fileName();
    }
    int failures = 0;
    for (const auto &[number, sharing] : set.sharedNumbers()) {
        QStringList names;
        for (const qsizetype i : set.order())
            if (set.marks(i) & MaptileSet::SharesNumber && set.at(i).mapNum.trimmed() == number)
                names << set.at(i).fileName();
        CommandReport::print(tr("%1 documents share number %2: %3.")
                                 .arg(sharing)
                                 .arg(number, names.join(QStringLiteral(", "))));
        ++failures;
    }
    for (const QString &name : withoutNumber) {
        CommandReport::print(tr("\"%1\" has no maptile number.").arg(name));
        ++failures;
    }
    CommandReport::printErrors(errors, &failures);
    files.end();
    CommandReport::leave(failures ? 1 : 0);
}
