// BComuns\Vorel.ini [Parametros] (one list of the section's keys serves the reads and the write)
// and BComuns\Folha.Ini [Parametros] ErroVorel.
#include "vorel/shell/office_settings.h"

#include <string>
#include <variant>

#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"

namespace vorel::shell {

namespace {

constexpr std::string_view kSecao = "Parametros";

std::string Arquivo(std::string_view pastaRaiz) {
    std::string r(text::clip(pastaRaiz));
    if (!r.empty() && r.back() != '\\') r += '\\';
    return r + "BComuns\\Vorel.ini";
}

// A key of the section and the member it holds: a text, or a number of any width with the value a
// missing key reads.
struct Numero {
    long long (*le)(const void*);
    void (*grava)(void*, long long);
    void* campo;
    long long padrao;
};
template <class T>
Numero N(T& campo, long long padrao = 0) {
    return {[](const void* c) { return static_cast<long long>(*static_cast<const T*>(c)); },
            [](void* c, long long v) { *static_cast<T*>(c) = static_cast<T>(v); }, &campo, padrao};
}
struct Chave {
    const char* nome;
    std::variant<std::string*, Numero> campo;
};

template <class F>
void CadaChave(ParametrosEscritorio& p, OpcoesEscritorio& o, F&& f) {
    const Chave chaves[] = {
        {"Nome", &p.PARNOME}, {"Responsavel", &p.PARRESPONSAVEL}, {"Endereco", &p.PARENDERECO},
        {"Numero", N(p.PARNUMERO)}, {"Bairro", &p.PARBAIRRO}, {"Complemento", &p.PARCOMPLEMENTO},
        {"Cidade", &p.PARCIDADE}, {"UF", &p.PARUF}, {"CEP", N(p.PARCEP)}, {"DDD", N(p.PARDDD)},
        {"Telefone", N(p.PARTELEFONE)}, {"Fax", N(p.PARFAX)}, {"Email", &p.PAREMAIL}, {"PagWEB", &p.PARWEB},
        {"TipoInscricao", N(p.PARTIPINS)}, {"CGC", &p.PARCGC}, {"CFP", &p.PARCPF},
        {"InscricaoEstadual", &p.PARINSEST}, {"ImprimeData", N(p.PARIMPDATA, 1)},
        {"ImprimeEscr", N(p.PARIMPESCR, 1)}, {"integracaoForCli", N(o.integracaoForCli)},
        {"Endereco_Planilha", N(o.enderecoPlanilha)}, {"Lote", N(o.lote)}, {"ResulPlanilha", N(o.resulPlanilha)},
        {"AliquotaProdutos", N(o.aliquotaProdutos)},
    };
    for (const Chave& c : chaves) f(c);
}

void Le(std::string_view pastaRaiz, ParametrosEscritorio& p, OpcoesEscritorio& o) {
    settings::SettingsFile ini(Arquivo(pastaRaiz));
    CadaChave(p, o, [&](const Chave& c) {
        if (auto* t = std::get_if<std::string*>(&c.campo)) **t = ini.read_text(kSecao, c.nome);
        else {
            const Numero& n = std::get<Numero>(c.campo);
            n.grava(n.campo, ini.read_number(kSecao, c.nome, n.padrao));
        }
    });
}

}  // namespace

ParametrosEscritorio LeParametrosEscritorio(std::string_view pastaRaiz) {
    ParametrosEscritorio p;
    OpcoesEscritorio o;
    Le(pastaRaiz, p, o);
    return p;
}

OpcoesEscritorio LeOpcoesEscritorio(std::string_view pastaRaiz) {
    ParametrosEscritorio p;
    OpcoesEscritorio o;
    Le(pastaRaiz, p, o);
    return o;
}

std::error_code GravaParametrosEscritorio(std::string_view pastaRaiz, const ParametrosEscritorio& p,
                                          const OpcoesEscritorio& o) {
    ParametrosEscritorio pc = p;
    OpcoesEscritorio oc = o;
    return settings::SettingsFile(Arquivo(pastaRaiz)).update([&](settings::Content& conteudo) {
        CadaChave(pc, oc, [&](const Chave& c) {
            const std::string chave = text::pad(c.nome, 20);
            if (auto* t = std::get_if<std::string*>(&c.campo)) conteudo.set(kSecao, chave, **t);
            else {
                const Numero& n = std::get<Numero>(c.campo);
                conteudo.set(kSecao, chave, std::to_string(n.le(n.campo)));
            }
        });
    });
}

std::uint8_t LeUsaAliquotaProduto(std::string_view pastaRaiz) {
    return static_cast<std::uint8_t>(LeOpcoesEscritorio(pastaRaiz).aliquotaProdutos);
}

bool LeLoteObrigatorio(std::string_view pastaRaiz) { return LeOpcoesEscritorio(pastaRaiz).lote == 1; }

bool ImprimeErros() {
    settings::SettingsFile folha(PastaRaiz.Get() + "BComuns\\Folha.Ini");
    return text::trim(folha.read_text("Parametros", "ErroVorel", "")) == "1";
}

std::error_code PedeImpressaoErros() {
    return settings::SettingsFile(PastaRaiz.Get() + "BComuns\\Folha.Ini").write_text("Parametros", "ErroVorel", "1");
}

}  // namespace vorel::shell
