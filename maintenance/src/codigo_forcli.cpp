// The customer and supplier codes of a year's movements (vorel/maintenance/codigo_forcli.h).
#include "vorel/maintenance/codigo_forcli.h"

#include "passos_reparo.h"
#include "vorel/data/cursor.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"

namespace vorel::maintenance {

namespace keys = dictionary::keys;
using namespace detail;

std::optional<std::string> DocumentoLido(std::string_view documento) {
    const std::size_t i = documento.find_first_not_of(' ');
    if (i == std::string_view::npos) return std::nullopt;
    const std::string_view texto = documento.substr(i, documento.find_last_not_of(' ') - i + 1);
    if (texto == "0") return std::nullopt;
    std::size_t n = 0;
    while (n < texto.size() && texto[n] >= '0' && texto[n] <= '9') ++n;
    const std::size_t zeros = texto.substr(0, n).find_first_not_of('0');
    if (zeros == std::string_view::npos) return std::string("0");
    return std::string(texto.substr(zeros, n - zeros));
}

namespace {

std::string ComZeros(const std::string& numero, std::size_t largura) {
    return std::string(largura - numero.size(), '0') + numero;
}

}  // namespace

std::optional<std::uint32_t> CodigoDoNumero(data::FileManager& forcli, const std::string& numero) {
    auto& f = forcli.rec<dictionary::ForCliRec>();
    if (numero.size() <= 14 && fiscal::LeFornecedorPorCnpj(forcli, ComZeros(numero, 14))) return f.Codigo;
    if (numero.size() <= 11) {
        forcli.clear_record();
        f.CPF = ComZeros(numero, 11);
        f.Inativo = 0;
        if (forcli.get(keys::FOR_KEY_CPF).ok()) return f.Codigo;
    }
    return std::nullopt;
}

namespace {

// What differs between the exits and the entries: the table, its date key and three fields.
template <class Rec>
struct Lado {
    const data::TableDesc& (*tabela)();
    data::KeyName chaveData;
    std::int32_t Rec::*data;
    String<14> Rec::*documento;
    std::uint32_t Rec::*codigo;
    std::initializer_list<std::string_view> campos;
};

template <class Rec>
ResultadoReparo Ajusta(const Lado<Rec>& lado, const shell::EmpresaPeriodo& ano,
                       const ProgressoReparo& progresso) {
    return Roda(
        [&](ResultadoReparo& r) {
            TabelaDoReparo movimentos(lado.tabela(), ano, "Abrindo os movimentos do ano");
            TabelaDoReparo forcli(dictionary::ForCli(), ano, "Abrindo o cadastro de fornecedores e clientes");
            data::FileManager& m = movimentos.fm;
            Checa(data::Cursor::read_only(m, lado.campos), "Lendo os movimentos do ano");
            PercorreAnoEmLotes(m, lado.chaveData, lado.data, ano.ano, progresso, r, [&](Rec& rec) {
                const auto numero = DocumentoLido((rec.*lado.documento).clipped());
                const auto codigo = numero ? CodigoDoNumero(forcli.fm, *numero) : std::nullopt;
                if (!codigo || *codigo == rec.*lado.codigo) return false;
                rec.*lado.codigo = *codigo;
                Checa(m.put(), "Gravando o código de um movimento");
                return true;
            });
        },
        Interrompido);
}

}  // namespace

ResultadoReparo AjustaCodigosForCli(MovimentosForCli quais, const shell::EmpresaPeriodo& ano,
                                    const ProgressoReparo& progresso) {
    using dictionary::EntradaVorelRec;
    using dictionary::SaidaVorelRec;
    if (quais == MovimentosForCli::Saidas)
        return Ajusta(Lado<SaidaVorelRec>{&dictionary::SaidaVorel,
                                          keys::SAI_KEY_DATA,
                                          &SaidaVorelRec::DataSaida,
                                          &SaidaVorelRec::CNPJ,
                                          &SaidaVorelRec::CodigoForCli,
                                          {"SAI:DataSaida", "SAI:CNPJ", "SAI:CodigoForCli"}},
                      ano, progresso);
    return Ajusta(Lado<EntradaVorelRec>{&dictionary::EntradaVorel,
                                        keys::ENT_KEY_DATA,
                                        &EntradaVorelRec::DataEmissao,
                                        &EntradaVorelRec::Cnpj,
                                        &EntradaVorelRec::CodigoForCli,
                                        {"ENT:DataEmissao", "ENT:Cnpj", "ENT:CodigoForCli"}},
                  ano, progresso);
}

}  // namespace vorel::maintenance
