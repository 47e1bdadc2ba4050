#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

// A real PostgreSQL server of the tests' own: a new cluster in a temporary folder, on a free port of
// the loopback, trusting every local connection, stopped and removed at the end. The server refuses
// to run as root, so under root its programs run as `nobody`, who then owns the cluster's folder.
class ServidorPostgres {
public:
    static inline const QString kUsuario = QStringLiteral("datilux");

    ~ServidorPostgres() { Parar(); }

    // False with the reason when the server cannot be had (no binaries, initdb failed, ...).
    bool Iniciar(QString &motivo)
    {
        bin_ = PastaBinarios();
        if (bin_.isEmpty()) {
            motivo = QStringLiteral(
                "no PostgreSQL server binaries under /usr/lib/postgresql/*/bin (Debian package postgresql)");
            return false;
        }
        if (!base_.isValid()) {
            motivo = QStringLiteral("no temporary folder");
            return false;
        }
        dados_ = base_.path() + QStringLiteral("/cluster");
        QDir().mkpath(dados_);
        if (::geteuid() == 0) {
            // nobody must reach the folder through the temporary one, and own the cluster's.
            QFile::setPermissions(base_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                    | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                    | QFileDevice::ExeOther);
            if (QProcess::execute(QStringLiteral("chown"), {QStringLiteral("nobody"), dados_}) != 0) {
                motivo = QStringLiteral("chown nobody failed");
                return false;
            }
        }
        porta_ = PortaLivre();
        QString saida;
        if (!Rodar("initdb",
                   {"-D", dados_, "-U", kUsuario, "--auth=trust", "-E", "UTF8", "--no-sync", "--locale=C"},
                   saida)) {
            motivo = QStringLiteral("initdb failed: ") + saida;
            return false;
        }
        if (!Ligar(saida)) {
            motivo = QStringLiteral("pg_ctl start failed: ") + saida;
            return false;
        }
        return true;
    }

    bool Ligar(QString &saida)
    {
        // The socket lives in the cluster's folder; durability is not what these tests measure.
        const QString opcoes = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
                                              "-c max_connections=100")
                                   .arg(porta_)
                                   .arg(dados_);
        ligado_ = Rodar("pg_ctl", {"-D", dados_, "-o", opcoes, "-l", dados_ + "/log", "-w", "start"}, saida);
        return ligado_;
    }

    // `imediato`: the server dies at once, as when its machine is switched off.
    void Parar(bool imediato = false)
    {
        if (!ligado_)
            return;
        QString saida;
        Rodar("pg_ctl", {"-D", dados_, "-m", imediato ? "immediate" : "fast", "-w", "stop"}, saida);
        ligado_ = false;
    }

    int Porta() const { return porta_; }

    // A new empty database on the server.
    bool CriarBanco(const QString &nome, QString &erro)
    {
        const QString conexao = QStringLiteral("servidor-postgres-admin");
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), conexao);
            db.setHostName(QStringLiteral("127.0.0.1")), db.setPort(porta_);
            db.setDatabaseName(QStringLiteral("postgres")), db.setUserName(kUsuario);
            if (db.open()) {
                QSqlQuery q(db);
                ok = q.exec(QStringLiteral("CREATE DATABASE ") + nome);
                if (!ok)
                    erro = q.lastError().text();
            } else {
                erro = db.lastError().text();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(conexao);
        return ok;
    }

private:
    static QString PastaBinarios()
    {
        QDir raiz(QStringLiteral("/usr/lib/postgresql"));
        QStringList versoes = raiz.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(versoes.begin(), versoes.end(),
                  [](const QString &a, const QString &b) { return a.toDouble() > b.toDouble(); });
        for (const QString &v : versoes) {
            QString bin = raiz.filePath(v + QStringLiteral("/bin"));
            if (QFile::exists(bin + QStringLiteral("/initdb")) && QFile::exists(bin + QStringLiteral("/pg_ctl")))
                return bin;
        }
        return {};
    }

    static int PortaLivre()
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t n = sizeof a;
        int porta = 0;
        if (::bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0
            && ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &n) == 0)
            porta = ntohs(a.sin_port);
        ::close(s);
        return porta;
    }

    bool Rodar(const QString &programa, QStringList args, QString &saida)
    {
        QProcess p;
        QString comando = bin_ + u'/' + programa;
        if (::geteuid() == 0) {
            args = QStringList{"-u", "nobody", "--", comando} + args;
            comando = QStringLiteral("runuser");
        }
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setWorkingDirectory(base_.path());
        p.start(comando, args);
        const bool ok = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        saida = QString::fromLocal8Bit(p.readAll()).right(2000);
        return ok;
    }

    QTemporaryDir base_;
    QString bin_;
    QString dados_;
    int porta_ = 0;
    bool ligado_ = false;
};
