#include "engine/dns/DnsResolver.h"
#include <QHostAddress>
#include <QSocketNotifier>
#include <QtEndian>
#include <ares.h>
#include <type_traits>

static_assert(std::is_same_v<ares_socket_t, int>, "socket handles are ints here");

namespace {

constexpr int kClassInternet = 1;
constexpr int kTypeNameServer = 2;

// The ticket travels through c-ares as the query's argument.
struct QueryArgument {
    TDnsResolver* resolver;
    quint64 ticket;
};

QString AddressWithPort(const QString& address, quint16 port)
{
    return (address.contains(QLatin1Char(':')) ? QLatin1Char('[') + address + QLatin1Char(']') : address)
           + QLatin1Char(':') + QString::number(port);
}

} // namespace

TDnsResolver::TDnsResolver(const Settings& settings, QObject* parent)
    : QObject(parent)
    , settings_(settings)
{
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, [this] { Process(ARES_SOCKET_BAD, ARES_SOCKET_BAD); });
    delivery_.setSingleShot(true);
    delivery_.setInterval(0);
    connect(&delivery_, &QTimer::timeout, this, &TDnsResolver::Deliver);

    if (const int status = ares_library_init(ARES_LIB_INIT_ALL); status != ARES_SUCCESS) {
        error_ = QString::fromUtf8(ares_strerror(status));
        return;
    }
    ares_options options{};
    options.sock_state_cb = &TDnsResolver::OnSocketState;
    options.sock_state_cb_data = this;
    options.timeout = std::max(1, settings_.timeoutMs);
    options.tries = std::max(1, settings_.tries);
    // The names are asked exactly as given, without search domains. A SERVFAIL or REFUSED
    // is an answer, handed over as it is: such a name goes to the registry, and the resolver
    // does not count as silent.
    options.flags = ARES_FLAG_NOSEARCH | ARES_FLAG_NOCHECKRESP;
    ares_channel channel = nullptr;
    const int optmask = ARES_OPT_SOCK_STATE_CB | ARES_OPT_TIMEOUTMS | ARES_OPT_TRIES | ARES_OPT_FLAGS;
    if (const int status = ares_init_options(&channel, &options, optmask); status != ARES_SUCCESS) {
        error_ = QString::fromUtf8(ares_strerror(status));
        ares_library_cleanup();
        return;
    }
    channel_ = channel;
    if (!settings_.server.isEmpty()) {
        const QByteArray server = AddressWithPort(QHostAddress(settings_.server).toString(), settings_.port).toLatin1();
        if (const int status = ares_set_servers_ports_csv(channel_, server.constData()); status != ARES_SUCCESS) {
            error_ = QStringLiteral("%1: %2").arg(settings_.server, QString::fromUtf8(ares_strerror(status)));
            ares_destroy(channel_);
            channel_ = nullptr;
            ares_library_cleanup();
            return;
        }
    }
    serverName_ = FirstServerName();
}

TDnsResolver::~TDnsResolver()
{
    if (!channel_)
        return;
    // c-ares answers every open question once more, with ARES_EDESTRUCTION: nobody hears it.
    destroying_ = true;
    ares_destroy(channel_);
    channel_ = nullptr;
    notifiers_.clear();
    ares_library_cleanup();
}

QString TDnsResolver::FirstServerName() const
{
    ares_addr_port_node* servers = nullptr;
    if (ares_get_servers_ports(channel_, &servers) != ARES_SUCCESS || !servers)
        return QStringLiteral("the system's resolver");
    QHostAddress address;
    if (servers->family == AF_INET)
        address.setAddress(qFromBigEndian<quint32>(servers->addr.addr4.s_addr));
    else if (servers->family == AF_INET6)
        address.setAddress(reinterpret_cast<const quint8*>(&servers->addr.addr6));
    const int port = servers->udp_port ? servers->udp_port : 53;
    ares_free_data(servers);
    return AddressWithPort(address.toString(), static_cast<quint16>(port));
}

quint64 TDnsResolver::AskNameServers(const QByteArray& domain, Callback done)
{
    const quint64 ticket = nextTicket_++;
    callbacks_.insert(ticket, std::move(done));
    if (!channel_) {
        answered_.push_back({ticket, Answer{NsAnswer::NoReply, error_}});
        delivery_.start();
        return ticket;
    }
    waiting_.push_back({ticket, domain});
    SendWaiting();
    return ticket;
}

void TDnsResolver::SendWaiting()
{
    while (channel_ && !waiting_.empty() && outstanding_ < settings_.maxOutstanding) {
        const Question question = std::move(waiting_.front());
        waiting_.pop_front();
        if (!callbacks_.contains(question.ticket))
            continue;   // forgotten while it waited
        ++outstanding_;
        ares_query(channel_, question.domain.constData(), kClassInternet, kTypeNameServer, &TDnsResolver::OnAnswer,
                   new QueryArgument{this, question.ticket});
    }
    ArmTimeout();
}

void TDnsResolver::Forget(quint64 ticket)
{
    callbacks_.remove(ticket);
}

void TDnsResolver::ForgetAll()
{
    callbacks_.clear();
    waiting_.clear();
    answered_.clear();
    if (channel_)
        ares_cancel(channel_);   // its answers (ARES_ECANCELLED) find no callback
    ArmTimeout();
}

void TDnsResolver::OnAnswer(void* arg, int status, int /*timeouts*/, unsigned char* reply, int length)
{
    const std::unique_ptr<QueryArgument> argument(static_cast<QueryArgument*>(arg));
    TDnsResolver& self = *argument->resolver;
    --self.outstanding_;
    if (self.destroying_ || !self.callbacks_.contains(argument->ticket))
        return;
    const QByteArrayView bytes(reinterpret_cast<const char*>(reply), reply ? length : 0);
    self.answered_.push_back({argument->ticket, Answer{ReadNsAnswer(status, bytes), NsStatusText(status)}});
    self.delivery_.start();
}

// Callbacks run here, outside c-ares, which must not be entered again from one of them.
void TDnsResolver::Deliver()
{
    std::vector<std::pair<quint64, Answer>> answered;
    answered.swap(answered_);
    for (const auto& [ticket, answer] : answered) {
        const Callback done = callbacks_.take(ticket);
        if (done)
            done(answer);
    }
    SendWaiting();
}

void TDnsResolver::OnSocketState(void* data, int socket, int readable, int writable)
{
    static_cast<TDnsResolver*>(data)->WatchSocket(socket, readable != 0, writable != 0);
}

void TDnsResolver::WatchSocket(int socket, bool readable, bool writable)
{
    if (destroying_)
        return;
    Notifiers& watched = notifiers_[socket];
    auto follow = [this, socket](std::unique_ptr<QSocketNotifier>& notifier, QSocketNotifier::Type type, bool wanted) {
        if (!wanted) {
            if (notifier) {
                notifier->setEnabled(false);
                retired_.push_back(std::move(notifier));   // it may be the one whose signal runs now
            }
            return;
        }
        if (!notifier) {
            notifier = std::make_unique<QSocketNotifier>(socket, type);
            const bool forReading = type == QSocketNotifier::Read;
            connect(notifier.get(), &QSocketNotifier::activated, this, [this, socket, forReading] {
                Process(forReading ? socket : ARES_SOCKET_BAD, forReading ? ARES_SOCKET_BAD : socket);
            });
        }
        notifier->setEnabled(true);
    };
    follow(watched.read, QSocketNotifier::Read, readable);
    follow(watched.write, QSocketNotifier::Write, writable);
    if (!readable && !writable)
        notifiers_.erase(socket);
}

void TDnsResolver::Process(int readSocket, int writeSocket)
{
    retired_.clear();   // none of them is the sender of this call: they were disabled before
    if (!channel_)
        return;
    ares_process_fd(channel_, readSocket, writeSocket);
    ArmTimeout();
}

void TDnsResolver::ArmTimeout()
{
    if (!channel_)
        return;
    timeval next{};
    if (!ares_timeout(channel_, nullptr, &next)) {
        timeout_.stop();
        return;
    }
    timeout_.start(static_cast<int>(next.tv_sec * 1000 + (next.tv_usec + 999) / 1000));
}
