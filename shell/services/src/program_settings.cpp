// The program's own settings, each at its file, section and key.
#include "vorel/shell/program_settings.h"

#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"

namespace vorel::shell {

namespace {
using settings::SettingsFile;
}  // namespace

int CasasDecimaisCalculadora() {
    long long d = SettingsFile("Escrita.Ini").read_number("Calculadora", "CasasDecimais", 2);
    return d < 0 || d > 9 ? 2 : static_cast<int>(d);
}
std::error_code GravaCasasDecimaisCalculadora(int casas) {
    return SettingsFile("Escrita.Ini").write_number("Calculadora", "CasasDecimais", casas);
}

std::string UltimoUsuario() { return SettingsFile("UsuVorel.ini").read_text("UltimoUsuario", "Usuario"); }
std::error_code GravaUltimoUsuario(std::string_view nome) {
    return SettingsFile("UsuVorel.ini").write_text("UltimoUsuario", "Usuario", nome);
}

std::string CaminhoServidor(std::string_view padrao) {
    return SettingsFile("Marvex.ini").read_text("Servidor_Vorel", "NetPath", padrao);
}

std::error_code GravaQelLayout(long long layout) {
    return SettingsFile("Layout.ini").write_number("Layout", "QelLayout", layout);
}

long long QelLayout() { return SettingsFile("Layout.ini").read_number("Layout", "QelLayout", 0); }

long long UtilizaImportacao(std::string_view secao) {
    const long long v = SettingsFile("Vorel.ini").read_number(secao, "Utiliza", 0);
    return v == 0 ? 1 : v;
}
std::error_code GravaUtilizaImportacao(std::string_view secao, long long utiliza) {
    return SettingsFile("Vorel.ini").write_number(secao, "Utiliza", utiliza);
}

ArquivoExcel LeArquivoExcel() {
    SettingsFile ini("Gerar_Excel.ini");
    return {std::string(text::clip(ini.read_text("Excel", "Nome_Rel"))),
            std::string(text::clip(ini.read_text("Excel", "Caminho_Rel")))};
}

std::error_code GravaArquivoExcel(const ArquivoExcel& a) {
    return SettingsFile("Gerar_Excel.ini").update([&](settings::Content& c) {
        c.set("Excel", "Nome_Rel", a.nome);
        c.set("Excel", "Caminho_Rel", a.pasta);
    });
}

namespace {
// The XML options' keys, in one list for the read and the write.
template <class O, class F>
void CadaOpcaoXml(O& o, F&& f) {
    f("SobForCli", o.sobForCli);
    f("CriaConta", o.criaConta);
    f("IntProdutos", o.intProdutos);
    f("IntegraICMS", o.integraIcms);
    f("IntegraIPI", o.integraIpi);
}
constexpr std::string_view kXml = "XML.ini", kSecaoXml = "XMLSaida";
}  // namespace

OpcoesXml LeOpcoesXml() {
    SettingsFile ini(kXml);
    OpcoesXml o;
    CadaOpcaoXml(o, [&](std::string_view chave, int& v) { v = static_cast<int>(ini.read_number(kSecaoXml, chave)); });
    return o;
}

std::error_code GravaOpcoesXml(const OpcoesXml& o) {
    return SettingsFile(kXml).update([&](settings::Content& c) {
        CadaOpcaoXml(o, [&](std::string_view chave, int v) { c.set(kSecaoXml, chave, std::to_string(v)); });
    });
}

std::error_code GravaUltimoAcessoNaveli(std::string_view data) {
    return SettingsFile("Naveli.ini").write_text("Sistema6", "UltimoAcesso", data);
}
AcessoNaveli LeAcessoNaveli() {
    SettingsFile naveli("Naveli.ini");
    return {naveli.read_number("Acesso", "Internet", 1), naveli.read_number("Sistema6", "SalvaAcesso", 1)};
}
std::error_code GravaAcessoNaveli(const AcessoNaveli& a) {
    SettingsFile naveli("Naveli.ini");
    if (auto ec = naveli.write_number("Acesso", "Internet", a.internet)) return ec;
    return naveli.write_number("Sistema6", "SalvaAcesso", a.salvaAcesso);
}

long long TecladoPadraoBR() { return SettingsFile("qel.ini").read_number("Parametros", "TecladoPadraoBR", 0); }
std::error_code GravaTecladoPadraoBR(long long valor) {
    return SettingsFile("qel.ini").write_number("Parametros", "TecladoPadraoBR", valor);
}

namespace {
constexpr std::string_view kChavePlanMensal = "Caminho";
}  // namespace

OpcoesPlanMensal LeOpcoesPlanMensal() {
    SettingsFile vorel("Vorel.ini");
    OpcoesPlanMensal o;
    o.caminho = std::string(text::clip(vorel.read_text("ExportaPlanMensal", kChavePlanMensal)));
    o.cfo = static_cast<int>(vorel.read_number("CFO", kChavePlanMensal, 0));
    o.compCfo = static_cast<int>(vorel.read_number("CompCFO", kChavePlanMensal, 0));
    return o;
}

std::error_code GravaOpcoesPlanMensal(const OpcoesPlanMensal& o) {
    return SettingsFile("Vorel.ini").update([&](settings::Content& c) {
        c.set("ExportaPlanMensal", kChavePlanMensal, o.caminho);
        c.set("TodosProdutos", kChavePlanMensal, "1");
        c.set("CFO", kChavePlanMensal, std::to_string(o.cfo));
        c.set("CompCFO", kChavePlanMensal, std::to_string(o.compCfo));
        c.set("CNPJ", kChavePlanMensal, "");
    });
}

std::error_code EntregaCnpjAoCadastro(std::string_view cnpj) {
    SettingsFile vorel("Vorel.ini");
    if (auto ec = vorel.write_text("Temp", "CNPJ", cnpj)) return ec;
    return vorel.write_number("Temp", "Local", 4);
}
std::error_code EncerraCnpjAoCadastro() { return SettingsFile("Vorel.ini").write_number("Temp", "Local", 0); }

CnpjAoCadastro LeCnpjAoCadastro() {
    SettingsFile vorel("Vorel.ini");
    CnpjAoCadastro c;
    c.aguardando = vorel.read_number("Temp", "Local", 4) == 4;
    if (!c.aguardando) return c;
    constexpr std::string_view kNenhum = "\x01";
    if (std::string cnpj = vorel.read_text("Temp", "CNPJ", kNenhum); cnpj != kNenhum) c.cnpj = std::move(cnpj);
    return c;
}

}  // namespace vorel::shell
