// What the repairs share inside (passos_reparo.h).
#include "passos_reparo.h"


namespace vorel::maintenance::detail {

TransacaoEmLotes::TransacaoEmLotes(std::vector<data::FileManager*> tabelas, ResultadoReparo& r)
    : tabelas_(std::move(tabelas)), r_(r) {
    Inicia();
}

TransacaoEmLotes::~TransacaoEmLotes() {
    if (!t_) return;
    t_.reset();  // the open batch rolls back
    r_.lidos = lidos_;
    r_.alterados = alterados_;
}

void TransacaoEmLotes::Inicia() {
    t_.emplace(tabelas_, 1);
    Checa(t_->status(), "Iniciando a transação");
    noLote_ = 0;
}

void TransacaoEmLotes::Confirma() {
    Checa(t_->commit(), "Confirmando um lote de registros");
    t_.reset();
    r_.confirmados.push_back(r_.lidos);
    lidos_ = r_.lidos;
    alterados_ = r_.alterados;
}

void TransacaoEmLotes::Conta() {
    if (++noLote_ <= 1000) return;
    Confirma();
    Inicia();
}

void TransacaoEmLotes::Encerra() { Confirma(); }

void Interrompido(ResultadoReparo& r, const Falhou* falha) {
    if (falha) r.erro = falha->texto;
    else r.cancelado = true;
    if (!r.confirmados.empty())
        r.erro += (r.erro.empty() ? "" : ". ") + std::string("Os ") + std::to_string(r.confirmados.back()) +
                  " primeiros registros lidos ficaram ajustados; os demais ficaram como estavam.";
}

void Desfeito(ResultadoReparo& r, const Falhou* falha) {
    r = {};
    if (falha) r.erro = falha->texto;
    else r.cancelado = true;
}

}  // namespace vorel::maintenance::detail
