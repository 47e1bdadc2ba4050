#pragma once

#include <QBuffer>

// A buffer that accepts `limite` bytes and then refuses every further write, like a full disk.
class DispositivoFalho : public QBuffer {
public:
    explicit DispositivoFalho(qint64 limite, QObject *pai = nullptr)
        : QBuffer(pai)
        , limite_(limite)
    {}

protected:
    qint64 writeData(const char *dados, qint64 tamanho) override
    {
        const qint64 resta = limite_ - escritos_;
        if (resta <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 n = qMin(resta, tamanho);
        const qint64 w = QBuffer::writeData(dados, n);
        if (w > 0)
            escritos_ += w;
        return w;
    }

private:
    qint64 limite_;
    qint64 escritos_ = 0;
};
