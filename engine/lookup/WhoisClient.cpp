#include "engine/lookup/WhoisClient.h"
#include <QEventLoop>

TWhoisClient::TWhoisClient() = default;
TWhoisClient::~TWhoisClient() = default;

TWhoisClient::Outcome TWhoisClient::Exchange(const QString& query, QByteArray& reply, QString* why)
{
    reply.clear();
    if (current_) {   // called again from inside a wait
        if (why)
            *why = QStringLiteral("another query is still waiting");
        return Outcome::Failed;
    }
    TWhoisExchange exchange;
    QEventLoop loop;
    QObject::connect(&exchange, &TWhoisExchange::finished, &loop, &QEventLoop::quit);
    current_ = &exchange;
    exchange.Start(Host, Port, query, limits());
    if (exchange.outcome() == Outcome::Waiting)
        loop.exec();
    current_ = nullptr;

    reply = exchange.reply();
    if (why && exchange.outcome() != Outcome::Read)
        *why = exchange.why();
    return exchange.outcome();
}

void TWhoisClient::Abort()
{
    if (current_)
        current_->Abort();
}
