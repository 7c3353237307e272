// ExportaSaidas: a period's exit items with their quantity lines as a `;` file (saidas.h).
#include "vorel/exports/saidas.h"

#include <utility>
#include <vector>

#include "vorel/fiscal/colunas_csv.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/exportacao_inteira.h"
#include "vorel/shell/other_year.h"

namespace vorel::exports {

namespace {

namespace keys = dictionary::keys;
using fiscal::colunas_csv::Numero;
using fiscal::colunas_csv::Simples;
using dictionary::QuantidadeVorelRec;
using dictionary::SaidaVorelRec;

// A CNPJ text as the number its digits make, fourteen digits with leading zeros.
std::string Numero14(std::string_view cnpj) { return picture::format("@n014", text::trim(cnpj)); }

std::string Linha(const SaidaVorelRec& s, std::uint32_t unitario, std::uint32_t quantidade) {
    return fiscal::colunas_csv::Cnpj(s.CNPJ.value()) + ";" + picture::format("@d06b", s.DataSaida) +
           ";" + fiscal::colunas_csv::Texto(s.Serie.value(), 2) + ";" + std::to_string(s.Numero) + ";" + std::to_string(s.CFO) + ";" +
           std::to_string(s.Complemento) + ";" + fiscal::colunas_csv::Texto(s.CFOComplementar.value(), 2) + ";" +
           std::to_string(unitario) + ";" + std::to_string(quantidade) + ";" +
           Numero("@n-15`3", s.Quantidade.value(), "Quantidade") + ";" + Numero("@n-15`2", s.BaseCalculo.value(), "Base Calculo") +
           ";" + Numero("@n-15`2", s.ICMS.value(), "Valor ICMS") + ";" + Simples(s.CodMercadoria.value()) + ";" +
           Simples(s.Alicota.value()) + ";" + fiscal::colunas_csv::Texto(s.Estado.value(), 2) + ";" +
           Numero("@n-15`2", s.BaseAntReducao.value(), "Base Anterior a Base de Reducao");
}

report::Outcome Grava(shell::ExportacaoInteira& arquivo, const shell::EmpresaPeriodo& periodo, const OpcoesSaidas& o,
                      const ProgressoSaidas& progresso) {
    shell::AbertaNoAno saidas(dictionary::SaidaVorel(), periodo), quantidades(dictionary::QuantidadeVorel(), periodo);
    if (!saidas.aberta.ok() || !quantidades.aberta.ok())
        return report::Outcome::failure("Não foi possível abrir as saídas do ano (SaidaVorel, QuantidadeVorel).");
    if (report::Outcome r = arquivo.Abre(); !r.ok()) return r;
    if (report::Outcome r = arquivo.LinhaInteira(
            "Cnpj;Data Saida;Serie;Numero;CFO;Complemento;CFO Complementar;Unitario;Quantidade;Quantidade;Base Calculo;"
            "Valor ICMS;Cod Mercadoria;Aliquota;Estado;Base Anterior a Base de Reducao");
        !r.ok())
        return r;
    const long long total = saidas.f.records();
    auto& s = saidas.f.rec<SaidaVorelRec>();
    auto& q = quantidades.f.rec<QuantidadeVorelRec>();
    saidas.f.clear_record();
    s.DataSaida = o.inicio;
    if (!saidas.f.set_at(saidas.f.key_number(keys::SAI_KEY_DATANUMSERIECFOPROD), 1).ok())
        return report::Outcome::failure("Não foi possível ler as saídas (SaidaVorel).");
    Decimal totalQuantidade, totalBase;
    long long lidos = 0;
    while (saidas.f.next().ok() && s.DataSaida <= o.fim) {
        if (progresso && !progresso(++lidos, total)) return report::Outcome::failure("Exportação interrompida.");
        if (o.cfo > 0 && s.CFO != o.cfo) continue;
        // The quantity lines of this invoice: its date, number and series, its customer's CNPJ.
        std::vector<std::pair<std::uint32_t, std::uint32_t>> linhas;
        quantidades.f.clear_record();
        q.DataEmissao = s.DataSaida;
        q.Numero = s.Numero;
        q.Serie = s.Serie.value();
        const std::string cnpj = Numero14(s.CNPJ.value());
        if (quantidades.f.set_within(keys::QUA_KEY_SERIENUMERODATA, 3).ok())
            while (quantidades.f.next().ok())
                if (text::clip(q.Procedencia.value()) == "S" && Numero14(q.Cnpj.value()) == cnpj)
                    linhas.emplace_back(q.Unitario, q.Quantidade);
        if (linhas.empty()) linhas.emplace_back(0, 0);
        for (const auto& [unitario, quantidade] : linhas) {
            if (report::Outcome r = arquivo.LinhaInteira(Linha(s, unitario, quantidade)); !r.ok()) return r;
            // Each line counts the item's quantity and base, as the file shows them.
            totalQuantidade = totalQuantidade + s.Quantidade.value();
            totalBase = totalBase + s.BaseCalculo.value();
        }
    }
    if (report::Outcome r = arquivo.LinhaInteira(";;;;;;;;;" + Numero("@n-15`3", totalQuantidade, "Quantidade") + ";" +
                                                 Numero("@n-15`2", totalBase, "Base Calculo") + ";;;;;");
        !r.ok())
        return r;
    return arquivo.Conclui();
}

}  // namespace

report::Outcome ExportaSaidas(const shell::EmpresaPeriodo& periodo, const OpcoesSaidas& opcoes,
                              const ProgressoSaidas& progresso) {
    shell::ExportacaoInteira arquivo(opcoes.caminho);
    try {
        return Grava(arquivo, periodo, opcoes, progresso);  // a failure leaves the old file, and no other
    } catch (const fiscal::colunas_csv::NaoCabe& e) {
        return report::Outcome::failure(e.what());
    }
}

}  // namespace vorel::exports
