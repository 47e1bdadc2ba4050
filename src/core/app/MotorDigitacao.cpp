#include "app/MotorDigitacao.h"

#include "common/Digita.h"

#include <optional>

namespace {

constexpr QChar kCR = u'\r';

// The character at 1-based position `pos`, nothing past the end. A position below 1 is a failure of
// the check that asked for it.
std::optional<QChar> CaractereEm(const QString &s, int pos)
{
    if (pos > s.size())
        return std::nullopt;
    return s[pos - 1];
}

} // namespace

MotorDigitacao::MotorDigitacao(const Digita &digita)
    : digita_(digita)
{}

QString MotorDigitacao::Marca(int numero)
{
    return u'[' + QString::number(numero) + u']';
}

QString MotorDigitacao::MensagemCapsLock()
{
    return QStringLiteral("Muitos erros seguidos...\r\nTalvez seja porque a tecla CAPS LOCK esteja ativada!");
}

void MotorDigitacao::MarcarTexto(const QString &passagem)
{
    TextoMarcado.clear();
    TextoDigitado.clear();
    esperados_.clear();
    posicoesPassagem_.clear();
    TextoMarcado.reserve(passagem.size() + passagem.size() / 20 + 8);
    // The last character is never looked at: passages end with CR LF, so it is the closing LF.
    const int n = passagem.size();
    int marca = 1;
    int naPassagem = 0;
    for (int i = 0; i < n - 1;) {
        if (passagem[i] == kCR) {
            const QString m = Marca(marca++);
            TextoMarcado += m;
            for (qsizetype j = 0; j < m.size(); ++j) {
                esperados_ += u'\n';
                posicoesPassagem_.append(naPassagem);
            }
            i += 2;
        } else {
            TextoMarcado += passagem[i];
            esperados_ += passagem[i];
            posicoesPassagem_.append(naPassagem);
            ++i;
        }
        ++naPassagem;
    }
}

void MotorDigitacao::MontarLinhas(const QString &passagem)
{
    LstDigita.clear();
    QString linha;
    const int n = passagem.size();
    for (int i = 0; i < n - 1;) {
        if (passagem[i] == kCR) {
            LstDigita.append(linha);
            linha.clear();
            i += 2;
        } else {
            linha += passagem[i];
            ++i;
        }
    }
    LinhaAtual = 0;
}

void MotorDigitacao::Zerar(const QString &passagem, bool focoDigita)
{
    NumMarca = 1;
    MarcarTexto(passagem);
    PosTexto = 1;
    PosDigitado = 1;
    enters_.clear();
    Toques = focoDigita ? 0 : 1;
    Erros = 0;
    TextoDigitado.reserve(TextoMarcado.size() + 64);
}

QChar MotorDigitacao::Esperado(int posicaoMarcado) const
{
    if (posicaoMarcado < 0 || posicaoMarcado >= esperados_.size())
        return QChar();
    return esperados_[posicaoMarcado];
}

int MotorDigitacao::Coberto() const
{
    const int p = PosTexto - 1;
    if (p < 0)
        return 0;
    if (p >= posicoesPassagem_.size())
        return posicoesPassagem_.isEmpty() ? 0 : posicoesPassagem_.last() + 1;
    // Right after the finishing Enter the position rests on its marker's closing bracket.
    const bool enterFinal = LinhaAtual >= LstDigita.size() && TextoMarcado[p] == u']';
    return posicoesPassagem_[p] + (enterFinal ? 1 : 0);
}

bool MotorDigitacao::TeclaDesce(int codigoTecla) const
{
    return codigoTecla == kTeclaEsquerda && !digita_.PermiteBackspace;
}

bool MotorDigitacao::PrefixoConfere(QChar k) const
{
    // The typed text followed by k, cut to PosDigitado characters, against as many characters of the
    // passage. Compared in place: this runs on every key.
    const int m = PosDigitado;
    if (m <= 0)
        return true;
    const int digitados = int(TextoDigitado.size());
    const int daDigitacao = qMin(m, digitados + 1);
    const int doMarcado = qMin(m, int(TextoMarcado.size()));
    if (daDigitacao != doMarcado)
        return false;
    const int antes = qMin(daDigitacao, digitados);
    if (QStringView(TextoDigitado).left(antes) != QStringView(TextoMarcado).left(antes))
        return false;
    return daDigitacao == antes || TextoMarcado[antes] == k;
}

MotorDigitacao::RespostaTecla MotorDigitacao::TeclaPressionada(int k, int caret, bool capsVermelho)
{
    RespostaTecla r;

    // Lock mode: a key that would not keep the typed text a true prefix of the passage is refused.
    // The first character of a session is checked like every other.
    if (k != kBackspace && k != kEnter && digita_.TravaNoErro) {
        if (!PrefixoConfere(QChar(char16_t(k)))) {
            r.descartar = true;
            r.recusadaTrava = true;
            ++Erros;
            r.mostrarErros = true;
            r.tocarSom = digita_.SomNoErro;
            ++ErrosSeguidos;
            if (ErrosSeguidos >= 4 && capsVermelho) {
                r.avisoCapsLock = true;
                ErrosSeguidos = 0;
            }
            return r;
        }
        ErrosSeguidos = 0;
    }

    if (k == kBackspace && !digita_.PermiteBackspace) {
        r.descartar = true;
        return r;
    }

    if (k == kEnter) {
        const QString marca = Marca(NumMarca);
        enters_.append({int(TextoDigitado.size()), PosTexto, PosDigitado});
        TextoDigitado += marca;
        const int noMarcado = int(TextoMarcado.indexOf(marca)) + 1; // 0 when absent
        PosTexto = noMarcado + int(marca.size()) - 1;
        // The marker just appended: an earlier bracket typed by the student cannot be taken for it.
        PosDigitado = int(TextoDigitado.size());
        ++NumMarca;
        ++LinhaAtual;
        if (LinhaAtual >= LstDigita.size()) {
            // The last Enter ends the passage; it is neither counted nor coloured, and the box is
            // disabled by the finish, so it inserts nothing.
            r.descartar = true;
            r.finalizar = true;
            return r;
        }
    } else if (k != kBackspace) {
        TextoDigitado += QChar(char16_t(k));
    }

    UltimaTecla = k;
    r.mostrarToques = true;
    r.toquesMostrados = Toques;
    ++Toques;

    if (k == kBackspace) {
        if (caret > 0) {
            r.cor = Cor::Preto;
            r.posicaoCor = caret - 1;
        }
    } else {
        r.cor = Cor::Azul;
        r.posicaoCor = caret;
    }
    return r;
}

bool MotorDigitacao::DesfazerEnter()
{
    // The box joined two lines: the character before the check position is the closing bracket of
    // the last marker. Marker, positions and line all go back to where the Enter found them, so the
    // rest of the line is compared with the rest of the line again.
    if (enters_.isEmpty())
        return false;
    const Enter &e = enters_.last();
    const int fimMarca = e.inicioMarca + int(Marca(NumMarca - 1).size());
    if (PosDigitado - 1 != fimMarca || TextoDigitado.size() != fimMarca)
        return false;
    TextoDigitado.truncate(e.inicioMarca);
    PosTexto = e.posTexto;
    PosDigitado = e.posDigitado;
    --NumMarca;
    --LinhaAtual;
    enters_.removeLast();
    return true;
}

MotorDigitacao::RespostaMudanca MotorDigitacao::Mudanca()
{
    RespostaMudanca r;
    if (UltimaTecla == kBackspace) {
        if (DesfazerEnter())
            return r;
        --PosTexto;
        --PosDigitado;
        if (PosDigitado - 1 < 0)
            return r; // nothing left to cut: the check ends here
        TextoDigitado.truncate(PosDigitado - 1);
        return r;
    }
    if (PosTexto < 1 || PosDigitado < 1)
        return r;
    // Past the end of either text there is no character; "none" differs from any character.
    r.posicaoConferida = PosTexto - 1;
    r.certo = CaractereEm(TextoMarcado, PosTexto) == CaractereEm(TextoDigitado, PosDigitado);
    if (!r.certo) {
        ++Erros;
        r.mostrarErros = true;
        r.tocarSom = digita_.SomNoErro;
    }
    ++PosTexto;
    ++PosDigitado;
    return r;
}
