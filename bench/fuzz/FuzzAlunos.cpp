// Any bytes as Alunos.arq: counting, reading and the login's code check never crash, never write,
// and every record read goes back to exactly the bytes it came from.
#include "access/ArquivoAlunos.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    const QByteArray original(reinterpret_cast<const char *>(dados), qsizetype(tamanho));
    QByteArray conteudo = original;
    QBuffer buffer(&conteudo);
    buffer.open(QIODevice::ReadOnly);
    ArquivoAlunos arquivo;
    arquivo.Usar(&buffer, QStringLiteral("Alunos.arq"));

    const int quantidade = arquivo.Quantidade();
    if (quantidade != int(tamanho / Aluno::kTamanho))
        __builtin_trap();
    QString erro, motivo;
    for (int n = -1; n <= quantidade + 1; ++n) {
        Aluno aluno;
        arquivo.Identificar(n, aluno, erro);
        if (arquivo.Ler(n, aluno, erro) != (n >= 1 && n <= quantidade))
            __builtin_trap();
        if (n < 1 || n > quantidade)
            continue;
        QByteArray bytes;
        if (!ArquivoAlunos::Codificar(aluno, bytes, motivo)
            || bytes != original.mid(qsizetype(n - 1) * Aluno::kTamanho, Aluno::kTamanho))
            __builtin_trap();
    }
    if (conteudo != original)
        __builtin_trap();
    return 0;
}
