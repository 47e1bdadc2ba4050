#pragma once

#include <QLockFile>
#include <QString>

// The lock every copy of the program takes before it writes a shared data file: a lock file beside
// it ("Alunos.arq" is guarded by "Alunos.arq.lock"), created only if it does not exist yet.
//
// A school lab runs one copy per computer on one network folder, so the lock must hold between
// computers. Creating a file that must not exist yet is honoured by every network file system a
// school folder is served from; POSIX record locks are not (on a CIFS share they depend on the
// mount options, on NFS on the lock daemon), a record lock dies with the first close of any handle
// of the file in the process (the login keeps Alunos.arq open while a progress write opens and
// closes it), and the settings store is replaced by a renamed copy on every write, so a lock held
// on the file itself would be a lock on the copy that is thrown away.
//
// A copy that dies while it holds the lock leaves the lock file behind. On the same computer the
// lock is taken over at once (its process is gone); from another computer, once it is older than
// kVelhaMs: every write of ours takes milliseconds, so a lock that old is no longer anyone's. The age
// is the lock file's time (the file server's clock) against this computer's clock, so the margin is
// wide: lab computers whose clocks differ from the server's by less than that still respect a live
// lock.
//
// The lock is released when the object goes out of scope.
class TravaArquivo {
public:
    // How long a write waits for another copy to finish before it gives up and says so.
    static constexpr int kEsperaMs = 5000;
    static constexpr int kVelhaMs = 120000;

    // For the tests: how long to wait (kEsperaMs unless changed), so that a refusal is quick.
    static inline int esperaMs = kEsperaMs;

    // The lock of the data file at `caminhoArquivo` (not taken yet).
    explicit TravaArquivo(const QString &caminhoArquivo);
    TravaArquivo(const TravaArquivo &) = delete;
    TravaArquivo &operator=(const TravaArquivo &) = delete;

    // Takes the lock, waiting up to esperaMs. False with the reason, in Portuguese, to follow
    // "Não foi possível gravar o arquivo …: ".
    bool Travar(QString &motivo);

    // The lock file of a data file.
    static QString CaminhoTrava(const QString &caminhoArquivo);

private:
    // Why the lock was not taken, in `motivo`; always false.
    bool Recusar(QString &motivo);

    QLockFile trava_;
};
