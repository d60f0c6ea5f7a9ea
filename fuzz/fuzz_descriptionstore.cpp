// Loads a description file from arbitrary bytes, then checks what the store
// promises: an unchanged store gives back exactly the bytes it read, and a
// changed one writes a file that reads back with that change and nothing
// else lost.
#include "core/files/DescriptionStore.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

using quorvel::DescriptionStore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    DescriptionStore store;
    store.loadBytes(bytes);
    if (store.toBytes() != bytes)
        std::abort();

    // Ask for a few names taken from the input itself.
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size() && i < 8; ++i) {
        const QByteArray first = lines.at(i).split(' ').constFirst();
        store.get(QStringLiteral("/f/") + QString::fromUtf8(first));
    }

    const QString name = QStringLiteral("/f/new name.jpg");
    const QString text = QString::fromUtf8(bytes.left(64));
    const auto result = store.set(name, text);
    if (result == DescriptionStore::SetResult::Refused)
        return 0;
    const QString expected = store.get(name);
    DescriptionStore again;
    again.loadBytes(store.toBytes());
    if (again.get(name) != expected)
        std::abort();
    return 0;
}
