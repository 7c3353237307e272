// The one definition of every shell-wide value, and their names for tools.
#include "vorel/shell/globals.h"

#include <mutex>
#include <string_view>

namespace vorel::shell {

Global<std::string> PastaRaiz;
Global<std::string> PastaTemp;
Global<std::string> PastaPrograma;

Global<date::Day> DataHoje{0};
Global<std::uint8_t> ModoImpressao{0};
Global<std::uint8_t> GLO_CODIMPRESSORA{0};
Global<std::string> GLO_PAPELPAREDE;
Global<bool> TecladoDecimalVirgula{false};

Global<std::string> GLO_LOGIN;
Global<std::string> GLO_PASSWORD;
Global<std::string> GLO_VERSAO;
Global<std::string> CorFoco;

Global<ParametrosEscritorio> GLO_PARAMETROS;
Global<std::uint8_t> GLO_USAALIQPRODUTO{0};

Global<std::uint32_t> GLO_EMPRESA_CODIGO{0};
Global<std::string> GLO_EMPRESA_RAZAO;
Global<int> GLO_ANO{0};
Global<int> GLO_MES{0};

Global<CodigosImpressoraRec> CodigosImpressora;
Global<std::uint8_t> GLO_EMAIL_ENVIAR{0};
Global<std::string> GLO_EMAIL_NOME;
Global<std::string> GLO_EMAIL_EMAIL;
Global<std::string> GLO_EMAIL_ASSUNTO;
Global<std::string> GLO_EMAIL_TEXTO;

Global<std::string> CNPJEmpresa;
Global<std::uint8_t> TipoFornecedorEmpresa{0};
Global<date::Day> InicioPeriodo{0};
Global<date::Day> FimPeriodo{0};
Global<std::string> PastaEmpresa;
Global<std::string> PastaEmpresaVorel;
Global<std::string> PastaEscrita;
Global<std::string> PastaAno;

namespace {

using vorel::ui::GlobalRegistry;

void Text(std::string name, Global<std::string>& g) {
    GlobalRegistry::Add({std::move(name), [&g] { return g.Get(); }, [&g](const std::string& v) { g.Set(v); }});
}

template <class Int>
void Number(std::string name, Global<Int>& g) {
    GlobalRegistry::Add({std::move(name), [&g] { return std::to_string(static_cast<long long>(g.Get())); },
                         [&g](const std::string& v) {
                             try {
                                 g.Set(static_cast<Int>(std::stoll(v)));
                             } catch (const std::exception&) {
                                 g.Set(Int{});
                             }
                         }});
}

template <class Field>
void Parameter(std::string name, Field ParametrosEscritorio::*field) {
    GlobalRegistry::Add({std::move(name),
                         [field] {
                             auto p = GLO_PARAMETROS.Get();
                             if constexpr (std::is_same_v<Field, std::string>) return p.*field;
                             else return std::to_string(static_cast<long long>(p.*field));
                         },
                         [field](const std::string& v) {
                             GLO_PARAMETROS.Update([&](ParametrosEscritorio& p) {
                                 if constexpr (std::is_same_v<Field, std::string>) {
                                     p.*field = v;
                                 } else {
                                     try {
                                         p.*field = static_cast<Field>(std::stoll(v));
                                     } catch (const std::exception&) {
                                         p.*field = Field{};
                                     }
                                 }
                             });
                         }});
}

void RegisterAll() {
    Text("PastaRaiz", PastaRaiz);
    Text("PastaTemp", PastaTemp);
    Text("PastaPrograma", PastaPrograma);
    Number("DataHoje", DataHoje);
    Number("ModoImpressao", ModoImpressao);
    Number("GLO:CODIMPRESSORA", GLO_CODIMPRESSORA);
    Text("GLO:PAPELPAREDE", GLO_PAPELPAREDE);
    Number("TecladoDecimalVirgula", TecladoDecimalVirgula);
    Text("GLO:LOGIN", GLO_LOGIN);
    Text("GLO:PASSWORD", GLO_PASSWORD);
    Text("GLO:VERSAO", GLO_VERSAO);
    Text("CorFoco", CorFoco);
    using P = ParametrosEscritorio;
    Parameter("GLO:PARNOME", &P::PARNOME);
    Parameter("GLO:PARRESPONSAVEL", &P::PARRESPONSAVEL);
    Parameter("GLO:PARENDERECO", &P::PARENDERECO);
    Parameter("GLO:PARNUMERO", &P::PARNUMERO);
    Parameter("GLO:PARBAIRRO", &P::PARBAIRRO);
    Parameter("GLO:PARCOMPLEMENTO", &P::PARCOMPLEMENTO);
    Parameter("GLO:PARCIDADE", &P::PARCIDADE);
    Parameter("GLO:PARUF", &P::PARUF);
    Parameter("GLO:PARCEP", &P::PARCEP);
    Parameter("GLO:PARDDD", &P::PARDDD);
    Parameter("GLO:PARTELEFONE", &P::PARTELEFONE);
    Parameter("GLO:PARFAX", &P::PARFAX);
    Parameter("GLO:PAREMAIL", &P::PAREMAIL);
    Parameter("GLO:PARWEB", &P::PARWEB);
    Parameter("GLO:PARTIPINS", &P::PARTIPINS);
    Parameter("GLO:PARCGC", &P::PARCGC);
    Parameter("GLO:PARCPF", &P::PARCPF);
    Parameter("GLO:PARINSEST", &P::PARINSEST);
    Parameter("GLO:PARIMPDATA", &P::PARIMPDATA);
    Parameter("GLO:PARIMPESCR", &P::PARIMPESCR);
    Number("GLO:USAALIQPRODUTO", GLO_USAALIQPRODUTO);
    Number("GLO:EMPRESA:CODIGO", GLO_EMPRESA_CODIGO);
    Text("GLO:EMPRESA:RAZAO", GLO_EMPRESA_RAZAO);
    Number("GLO:ANO", GLO_ANO);
    Number("GLO:MES", GLO_MES);
    Number("GLO:EMAIL:ENVIAR", GLO_EMAIL_ENVIAR);
    Text("GLO:EMAIL:NOME", GLO_EMAIL_NOME);
    Text("GLO:EMAIL:EMAIL", GLO_EMAIL_EMAIL);
    Text("GLO:EMAIL:ASSUNTO", GLO_EMAIL_ASSUNTO);
    Text("GLO:EMAIL:TEXTO", GLO_EMAIL_TEXTO);
    Text("CNPJEmpresa", CNPJEmpresa);
    Number("TipoFornecedorEmpresa", TipoFornecedorEmpresa);
    Number("InicioPeriodo", InicioPeriodo);
    Number("FimPeriodo", FimPeriodo);
    Text("PastaEmpresa", PastaEmpresa);
    Text("PastaEmpresaVorel", PastaEmpresaVorel);
    Text("PastaEscrita", PastaEscrita);
    Text("PastaAno", PastaAno);
}

}  // namespace

void RegisterShellGlobals() {
    static std::once_flag once;
    std::call_once(once, RegisterAll);
}

}  // namespace vorel::shell
