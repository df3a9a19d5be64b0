#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <libsoup/soup.h>

#include "download/gobject_ptr.h"

class RequestDeadline;
struct WinHttpSendContext;

// A synchronous HTTP client on the system's HTTP stack (libsoup, with proxies
// from GIO's system resolver). One session lives as long as the client; a
// request is tried up to three times, and when it cannot be sent directly the
// client asks the system resolver for the URL's proxy and sends it through
// that. It records the response headers and a few values taken from them,
// and streams the body into a file or keeps it in memory.
//
// The fields mirror the client of the Windows build, so either backend can sit
// behind the same users.
class WinHttpClient {
  public:
    // lastErrorCode values set by the client itself.
    static constexpr uint32_t kErrorPathNotFound = 3;       // empty URL
    static constexpr uint32_t kErrorInvalidParameter = 87;  // verb other than GET or POST
    // Transport failures, numbered like the Windows HTTP stack's errors.
    static constexpr uint32_t kErrorTimeout = 12002;
    static constexpr uint32_t kErrorInternal = 12004;
    static constexpr uint32_t kErrorInvalidUrl = 12005;
    static constexpr uint32_t kErrorUnrecognizedScheme = 12006;
    static constexpr uint32_t kErrorNameNotResolved = 12007;
    static constexpr uint32_t kErrorCannotConnect = 12029;
    static constexpr uint32_t kErrorConnectionError = 12030;
    static constexpr uint32_t kErrorInvalidServerResponse = 12152;
    static constexpr uint32_t kErrorSecureFailure = 12175;

    explicit WinHttpClient(std::string url);
    ~WinHttpClient();
    WinHttpClient(const WinHttpClient&) = delete;
    WinHttpClient& operator=(const WinHttpClient&) = delete;

    // Performs the request with "GET" or "POST" (any letter case). True when a
    // response arrived and its whole body was read and stored.
    bool SendHttpRequest(std::string_view verb);

    // Fills responseCharset, contentLength, location and responseCookies
    // from responseHeader.
    void ExtractHeaderValues();

    SoupSession* session = nullptr;
    std::string requestUrl;
    std::string hostName;
    std::string responseHeader;  // status line and header lines, CR LF each, blank line last
    std::string responseCharset;
    uint64_t contentLength = 0;
    std::string responseCookies;
    uint32_t lastErrorCode = 0;
    std::string statusCode;
    std::string userAgent = "WinHttpClient";
    std::string location;
    unsigned resolveTimeout = 0;  // milliseconds, 0 = no limit
    unsigned connectTimeout = 60000;
    unsigned sendTimeout = 30000;
    unsigned receiveTimeout = 30000;
    // When set, the body is appended to this file instead of kept in responseBody.
    std::string responseFilePath;

    // Also kept by this client:
    std::string responseBody;              // the body, when no responseFilePath is set
    std::string finalUrl;                  // the URL that answered, after redirects
    uint64_t bodyBytes = 0;                // body bytes read by the last request
    bool ignoreCertificateErrors = false;  // accept any server certificate
    std::string caFile;                    // extra authorities (PEM) instead of the system's
    // A response file that cannot be opened or written sets lastErrorCode to
    // the errno of the failure.
    // Called after each block of the body is stored, with the bytes so far.
    std::function<void(uint64_t bodyBytes)> onBodyProgress;

    // The number of the Windows HTTP stack's error that matches a GIO or
    // libsoup error.
    static uint32_t ErrorCode(const GError* error);

  private:
    bool OpenSession();
    // One send of the request; the response stream, or null with
    // lastErrorCode set.
    GInputStream* Send(const char* verb, WinHttpSendContext& context,
                       GObjectPtr<GCancellable>& cancellable, GObjectPtr<SoupMessage>& message);
    // Points the session at the system's proxy for requestUrl; false when
    // there is none (or the lookup failed).
    bool UseSystemProxy();
    void ReadResponseHeader(SoupMessage* message);
    // Reads the whole body into the response file or responseBody.
    bool ReadBody(GInputStream* body, GCancellable* cancellable, RequestDeadline& deadline);
};
