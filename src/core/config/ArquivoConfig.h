#pragma once

#include "common/Registros.h"

#include <QByteArray>
#include <QString>

#include <optional>

class Digita;
class QIODevice;

// Config.arq: one 54-byte record, little-endian, packed:
//   0 BackSpace   2 Travar   4 Som (int16 each)   6 NomeFonte (30, Windows-1252, padded with spaces)
//   36 TamanhoFonte (int16)   38 CorInicio   42 CorTexto   46 CorFim   50 CorFundoEdicao (uint32 each)
// A missing file, or one shorter than a record, stands for ConfigRec's defaults (what the dialog
// shows); bytes after the record are ignored on reading and dropped on the next write.
namespace ArquivoConfig {

inline const QString kNomeArquivo = QStringLiteral("Config.arq");

// The record a missing file stands for in the dialog: all three options on, "Courier New" 12, and
// the default colours.
inline ConfigRec Padrao()
{
    return ConfigRec{};
}

// The 54 bytes of a record, and back (nullopt for fewer than 54 bytes). Exposed for the tests and
// the fuzzers.
bool Codificar(const ConfigRec &rec, QByteArray &bytes, QString &motivo);
std::optional<ConfigRec> Decodificar(const QByteArray &bytes);

// Record 1 from a device: nullopt when it holds less than a whole record. False with the reason
// when the device fails.
bool LerRegistro(QIODevice &dispositivo, std::optional<ConfigRec> &rec, QString &motivo);
// Record 1 to a device. False with the reason when the device refuses a byte.
bool EscreverRegistro(QIODevice &dispositivo, const ConfigRec &rec, QString &motivo);

// Record 1 of the file; nullopt when the file is missing or too short. False with the message
// (naming the file) when it cannot be read.
bool Ler(const QString &caminho, std::optional<ConfigRec> &rec, QString &erro);

// Replaces the file with the record, whole and atomically (on failure the old file is intact).
// The font name is cut or padded to 30 characters; a name Windows-1252 cannot hold is refused
// before anything is written.
bool Gravar(const QString &caminho, const ConfigRec &rec, QString &erro);

// The font sizes the window shows, in points: a record's size outside them shows as the nearest.
constexpr int kTamanhoMinimo = 6;
constexpr int kTamanhoMaximo = 72;

// What the main window takes from the configuration.
struct Efeito {
    bool PermiteBackspace = true;
    bool TravaNoErro = true;
    bool SomNoErro = true;
    // False when there is no file: fonts and colours keep the window's own design.
    bool AplicarAparencia = false;
    QString NomeFonte; // trimmed
    int TamanhoFonte = 0; // 0: keep the design size; otherwise kTamanhoMinimo..kTamanhoMaximo
    Cor CorInicio = 0; // gradient start
    Cor CorFim = 0; // gradient end
    Cor CorTexto = 0; // input box and line list text
    Cor CorFundoEdicao = 0; // passage and input box background
};
Efeito Derivar(const std::optional<ConfigRec> &rec);

// Reads the file into d.Config (defaults when missing) and sets d's three typing options.
// Returns what the window applies; on a read failure the options are left as they were and `erro`
// tells why.
bool Carregar(Digita &d, Efeito &efeito, QString &erro);

} // namespace ArquivoConfig
