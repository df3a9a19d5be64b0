#include "download/winhttp_client.h"

#include <strings.h>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "app/debug_log.h"
#include "download/gobject_ptr.h"
#include "download/header_pattern.h"
#include "download/request_deadline.h"

// What the signal handlers of one send need.
struct WinHttpSendContext {
    WinHttpClient* client;
    RequestDeadline* deadline;
    GCancellable* cancellable;
    bool wroteRequest = false;
};

namespace {

using SendContext = WinHttpSendContext;

constexpr int kAttempts = 3;
constexpr size_t kMaxHostLength = 260;
constexpr size_t kMaxPathLength = 1300;
constexpr size_t kBlockSize = 64 * 1024;

struct FileCloser {
    void operator()(FILE* file) const {
        if (file) std::fclose(file);
    }
};

void OnNetworkEvent(SoupMessage*, GSocketClientEvent event, GIOStream*, gpointer data) {
    auto* context = static_cast<SendContext*>(data);
    const WinHttpClient& client = *context->client;
    switch (event) {
        case G_SOCKET_CLIENT_RESOLVING:
            context->deadline->Arm(context->cancellable, client.resolveTimeout);
            break;
        case G_SOCKET_CLIENT_CONNECTING:
            context->deadline->Arm(context->cancellable, client.connectTimeout);
            break;
        case G_SOCKET_CLIENT_COMPLETE:
            context->deadline->Arm(context->cancellable, client.sendTimeout);
            break;
        default:
            break;
    }
}

void OnWroteBody(SoupMessage*, gpointer data) {
    auto* context = static_cast<SendContext*>(data);
    context->wroteRequest = true;
    context->deadline->Arm(context->cancellable, context->client->receiveTimeout);
}

gboolean OnAcceptCertificate(SoupMessage*, GTlsCertificate*, GTlsCertificateFlags, gpointer data) {
    return static_cast<SendContext*>(data)->client->ignoreCertificateErrors;
}

void AppendHeaderLine(const char* name, const char* value, gpointer data) {
    auto* text = static_cast<std::string*>(data);
    *text += name;
    *text += ": ";
    *text += value;
    *text += "\r\n";
}

const char* HttpVersionText(SoupHTTPVersion version) {
    switch (version) {
        case SOUP_HTTP_1_0:
            return "HTTP/1.0";
        case SOUP_HTTP_2_0:
            return "HTTP/2";
        default:
            return "HTTP/1.1";
    }
}

}  // namespace

WinHttpClient::WinHttpClient(std::string url) : requestUrl(std::move(url)) {}

WinHttpClient::~WinHttpClient() {
    if (session) g_object_unref(session);
}

bool WinHttpClient::OpenSession() {
    if (session) return true;
    session = soup_session_new();
    soup_session_set_user_agent(session, userAgent.c_str());
    // Each step has its own limit (RequestDeadline); the session's single I/O
    // timeout would cut across them.
    soup_session_set_timeout(session, 0);
    // Requests go out directly; a proxy is used only when that fails.
    soup_session_set_proxy_resolver(session, nullptr);
    // Packages are stored as served: nothing asks for compressed bodies.
    soup_session_remove_feature_by_type(session, SOUP_TYPE_CONTENT_DECODER);
    if (!caFile.empty()) {
        GError* error = nullptr;
        GObjectPtr<GTlsDatabase> database(g_tls_file_database_new(caFile.c_str(), &error));
        if (!database) {
            DEBUG_LOG("cannot read the authorities in %s: %s", caFile.c_str(), error->message);
            g_error_free(error);
            lastErrorCode = kErrorSecureFailure;
            g_object_unref(session);
            session = nullptr;
            return false;
        }
        soup_session_set_tls_database(session, database.get());
    }
    return true;
}

bool WinHttpClient::SendHttpRequest(std::string_view verb) {
    if (requestUrl.empty()) {
        lastErrorCode = kErrorPathNotFound;
        return false;
    }
    const bool get = verb.size() == 3 && strncasecmp(verb.data(), "GET", 3) == 0;
    const bool post = verb.size() == 4 && strncasecmp(verb.data(), "POST", 4) == 0;
    if (!get && !post) {
        lastErrorCode = kErrorInvalidParameter;
        return false;
    }
    if (!OpenSession()) return false;

    GError* error = nullptr;
    GUri* uri = g_uri_parse(requestUrl.c_str(), G_URI_FLAGS_ENCODED, &error);
    if (!uri) {
        g_error_free(error);
        lastErrorCode = kErrorInvalidUrl;
        return false;
    }
    const char* scheme = g_uri_get_scheme(uri);
    const char* host = g_uri_get_host(uri);
    const std::string path = std::string(g_uri_get_path(uri)) +
                             (g_uri_get_query(uri) ? std::string("?") + g_uri_get_query(uri) : "");
    const bool web =
        g_ascii_strcasecmp(scheme, "http") == 0 || g_ascii_strcasecmp(scheme, "https") == 0;
    hostName = host ? host : "";
    g_uri_unref(uri);
    if (!web) {
        lastErrorCode = kErrorUnrecognizedScheme;
        return false;
    }
    if (hostName.empty() || hostName.size() > kMaxHostLength || path.size() > kMaxPathLength) {
        lastErrorCode = kErrorInvalidUrl;
        return false;
    }

    // Values of an earlier response must not pass for this one's.
    responseHeader.clear();
    responseCharset.clear();
    contentLength = 0;
    location.clear();
    statusCode.clear();
    finalUrl.clear();
    bodyBytes = 0;

    RequestDeadline deadline;
    bool proxied = false;
    bool done = false;
    for (int attempt = 0; attempt < kAttempts && !done; ++attempt) {
        SendContext context{this, &deadline, nullptr};
        GObjectPtr<GCancellable> cancellable;
        GObjectPtr<SoupMessage> message;
        GObjectPtr<GInputStream> body(Send(get ? "GET" : "POST", context, cancellable, message));
        if (!body && !context.wroteRequest) {
            // Sending failed: try the proxy the system names for this URL.
            if (!UseSystemProxy()) continue;
            proxied = true;
            context = SendContext{this, &deadline, nullptr};
            body.reset(Send(get ? "GET" : "POST", context, cancellable, message));
        }
        if (!body) continue;

        ReadResponseHeader(message.get());
        ExtractHeaderValues();
        statusCode = std::to_string(soup_message_get_status(message.get()));
        char* answered = g_uri_to_string(soup_message_get_uri(message.get()));
        finalUrl = answered;
        g_free(answered);
        // A failed body ends the request: another attempt would store the
        // part already written a second time.
        if (!ReadBody(body.get(), cancellable.get(), deadline)) break;
        done = true;
    }
    if (proxied) {
        // The proxy was for this request; connections made through it are not
        // kept for later ones, which go out directly again.
        soup_session_set_proxy_resolver(session, nullptr);
        soup_session_abort(session);
    }
    return done;
}

GInputStream* WinHttpClient::Send(const char* verb, WinHttpSendContext& context,
                                  GObjectPtr<GCancellable>& cancellable,
                                  GObjectPtr<SoupMessage>& message) {
    cancellable.reset(g_cancellable_new());
    message.reset(soup_message_new(verb, requestUrl.c_str()));
    if (!message) {
        lastErrorCode = kErrorInvalidUrl;
        return nullptr;
    }
    context.cancellable = cancellable.get();
    g_signal_connect(message.get(), "network-event", G_CALLBACK(OnNetworkEvent), &context);
    g_signal_connect(message.get(), "wrote-body", G_CALLBACK(OnWroteBody), &context);
    g_signal_connect(message.get(), "accept-certificate", G_CALLBACK(OnAcceptCertificate),
                     &context);
    // A connection kept from an earlier request goes straight to sending.
    context.deadline->Arm(cancellable.get(), sendTimeout);
    GError* error = nullptr;
    GInputStream* body = soup_session_send(session, message.get(), cancellable.get(), &error);
    context.deadline->Disarm();
    // The handlers must not outlive this call's context.
    g_signal_handlers_disconnect_by_data(message.get(), &context);
    if (!body) {
        lastErrorCode = context.deadline->Expired() ? kErrorTimeout : ErrorCode(error);
        DEBUG_LOG("request to %s failed: %s (%u)", requestUrl.c_str(), error->message,
                  lastErrorCode);
        g_error_free(error);
    }
    return body;
}

bool WinHttpClient::UseSystemProxy() {
    GError* error = nullptr;
    gchar** proxies = g_proxy_resolver_lookup(g_proxy_resolver_get_default(), requestUrl.c_str(),
                                              nullptr, &error);
    if (!proxies) {
        lastErrorCode = ErrorCode(error);
        DEBUG_LOG("no system proxy for %s: %s", requestUrl.c_str(), error->message);
        g_error_free(error);
        return false;
    }
    const bool direct = !proxies[0] || g_str_equal(proxies[0], "direct://");
    if (!direct) {
        DEBUG_LOG("sending %s through the system proxy %s", requestUrl.c_str(), proxies[0]);
        GObjectPtr<GProxyResolver> fixed(g_simple_proxy_resolver_new(proxies[0], nullptr));
        soup_session_set_proxy_resolver(session, fixed.get());
    }
    g_strfreev(proxies);
    return !direct;
}

void WinHttpClient::ReadResponseHeader(SoupMessage* message) {
    const char* reason = soup_message_get_reason_phrase(message);
    responseHeader = std::string(HttpVersionText(soup_message_get_http_version(message))) + " " +
                     std::to_string(soup_message_get_status(message)) + " " +
                     (reason ? reason : "") + "\r\n";
    soup_message_headers_foreach(soup_message_get_response_headers(message), AppendHeaderLine,
                                 &responseHeader);
    responseHeader += "\r\n";
}

void WinHttpClient::ExtractHeaderValues() {
    const auto charsets = ExtractGroups("charset={[A-Za-z0-9\\-_]+}", responseHeader);
    if (!charsets.empty()) responseCharset = charsets.front();

    const auto lengths = ExtractGroups("Content-Length: {[0-9]+}", responseHeader);
    if (!lengths.empty()) {
        errno = 0;
        const unsigned long long value = std::strtoull(lengths.front().c_str(), nullptr, 10);
        contentLength = errno == ERANGE ? 0 : value;
    }

    const auto locations = ExtractGroups("Location: {https?:.+?\\n}", responseHeader);
    if (!locations.empty()) location = locations.front();

    const auto cookies = ExtractGroups("Set-Cookie:\\b*{.+?}\\n", responseHeader);
    if (!cookies.empty()) {
        for (size_t i = 0; i < cookies.size(); ++i) {
            if (i > 0) responseCookies += "; ";
            responseCookies += cookies[i];
        }
        responseCookies = TrimChars(responseCookies, " ");
        if (!responseCookies.ends_with(";")) responseCookies += ";";
    }
}

bool WinHttpClient::ReadBody(GInputStream* body, GCancellable* cancellable,
                             RequestDeadline& deadline) {
    bodyBytes = 0;
    responseBody.clear();
    std::unique_ptr<FILE, FileCloser> file;
    if (!responseFilePath.empty()) {
        // Opened once for the whole body, before it arrives, so that an
        // empty body still leaves an (empty) file.
        file.reset(std::fopen(responseFilePath.c_str(), "ab"));
        if (!file) {
            lastErrorCode = errno;
            DEBUG_LOG("Failed to open response file. Error code: %d",
                      static_cast<int>(lastErrorCode));
            return false;
        }
    }
    std::string block(kBlockSize, '\0');
    for (;;) {
        GError* error = nullptr;
        deadline.Arm(cancellable, receiveTimeout);
        const gssize count =
            g_input_stream_read(body, block.data(), block.size(), cancellable, &error);
        deadline.Disarm();
        if (count < 0) {
            lastErrorCode = deadline.Expired() ? kErrorTimeout : ErrorCode(error);
            DEBUG_LOG("reading the body of %s failed: %s (%u)", requestUrl.c_str(), error->message,
                      lastErrorCode);
            g_error_free(error);
            return false;
        }
        if (count == 0) break;
        if (file) {
            if (std::fwrite(block.data(), 1, count, file.get()) != static_cast<size_t>(count)) {
                lastErrorCode = errno;
                DEBUG_LOG("Failed to write response data. Error code: %d",
                          static_cast<int>(lastErrorCode));
                return false;
            }
        } else {
            responseBody.append(block.data(), count);
        }
        bodyBytes += count;
        if (onBodyProgress) onBodyProgress(bodyBytes);
    }
    if (file && std::fclose(file.release()) != 0) {
        lastErrorCode = errno;
        DEBUG_LOG("Failed to write response data. Error code: %d", static_cast<int>(lastErrorCode));
        return false;
    }
    return true;
}

uint32_t WinHttpClient::ErrorCode(const GError* error) {
    if (!error) return kErrorInternal;
    if (error->domain == G_RESOLVER_ERROR) return kErrorNameNotResolved;
    if (error->domain == G_TLS_ERROR) return kErrorSecureFailure;
    if (error->domain == SOUP_SESSION_ERROR) return kErrorInvalidServerResponse;
    if (error->domain != G_IO_ERROR) return kErrorInternal;
    switch (error->code) {
        case G_IO_ERROR_CANCELLED:
        case G_IO_ERROR_TIMED_OUT:
            return kErrorTimeout;
        case G_IO_ERROR_HOST_NOT_FOUND:
            return kErrorNameNotResolved;
        case G_IO_ERROR_CONNECTION_REFUSED:
        case G_IO_ERROR_HOST_UNREACHABLE:
        case G_IO_ERROR_NETWORK_UNREACHABLE:
        case G_IO_ERROR_PROXY_FAILED:
        case G_IO_ERROR_PROXY_AUTH_FAILED:
        case G_IO_ERROR_PROXY_NEED_AUTH:
        case G_IO_ERROR_PROXY_NOT_ALLOWED:
            return kErrorCannotConnect;
        case G_IO_ERROR_CONNECTION_CLOSED:
        case G_IO_ERROR_PARTIAL_INPUT:
        case G_IO_ERROR_NOT_CONNECTED:
            return kErrorConnectionError;
        default:
            return kErrorInternal;
    }
}

