#pragma once

#include <QString>

namespace quorvel {

// The outcome of a save, a rotation or a resolution change: what the user
// is told, if anything. Failures always carry their message; a question
// the user answered No ends quietly.
struct SaveResult
{
    enum Status {
        Done,
        Declined,     // a question was answered No: nothing written
        CannotOpen,
        NotSupported, // "This format is not supported yet."
        Failed,       // nothing replaced; message says why
        SavedAside,   // the target could not be replaced; savedAs holds the image
        Damaged,      // only part of the source picture decodes: nothing written
    };
    Status status = Done;
    QString message;
    QString savedAs;

    bool ok() const { return status == Done; }
    static SaveResult done() { return SaveResult(); }
    static SaveResult of(Status status, const QString &message = QString())
    {
        SaveResult r;
        r.status = status;
        r.message = message;
        return r;
    }
};

} // namespace quorvel
