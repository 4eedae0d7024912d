#include "XGPictureFetch.h"

#include "XGPicture.h"
#include "XGTCPStream.h"

#include <cstdio>
#include <memory>

namespace yaaf {

bool XGParsePictureAddress(const std::string& url, XGPictureAddress& out) {
    out = XGPictureAddress{};
    static const char kScheme[] = "http://";
    if (url.compare(0, sizeof kScheme - 1, kScheme) != 0) return false;
    const size_t hostStart = sizeof kScheme - 1;
    const size_t slash = url.find('/', hostStart);
    // An address without a path names no picture.
    if (slash == std::string::npos || slash == hostStart) return false;
    out.host = url.substr(hostStart, slash - hostStart);
    out.path = url.substr(slash);
    out.fileName = url.substr(url.rfind('/') + 1);
    // Blanks or line ends would end the request line early and let the address add lines.
    for (char c : url)
        if (c == '\r' || c == '\n' || c == ' ' || c == '\t' || c == '\0') return false;
    return XGSplitHostPort(out.host, 80, out.hostName, out.port);
}

int32 XGPictureRequestCount() {
    return 5;
}

std::string XGPictureRequestLine(const XGPictureAddress& a, int32 form) {
    switch (form) {
    case 0:
        return "GET " + a.path + "\r\n";
    case 1:
        return "GET /" + a.host + a.path + "\r\n";
    case 2:
        return "GET /www." + a.host + a.path + "\r\n";
    case 3:
        return "GET http://" + a.host + a.path + "\r\n";
    case 4:
        return "GET http://www." + a.host + a.path + "\r\n";
    default:
        return std::string();
    }
}

namespace {

// A header line may end in CR LF or LF; a CR anywhere else makes the headers unreadable.
bool HeadersWellFormed(const std::string& headers) {
    for (size_t i = 0; i < headers.size(); ++i)
        if (headers[i] == '\r' && (i + 1 >= headers.size() || headers[i + 1] != '\n')) return false;
    return true;
}

enum class Attempt { kPicture, kNextForm, kStop };

Attempt TryForm(const XGPictureAddress& a, int32 form, std::unique_ptr<XGPicture>& picture,
                XGPictureFetchResult& result, std::string& contentType) {
    XGTCPStream stream;
    if (stream.InitSend(a.hostName.c_str(), a.port) != kXGTCP_NoErr) {
        result = stream.TimedOut() ? kXGPictureFetch_TimedOut : kXGPictureFetch_NoConnection;
        return Attempt::kStop;
    }
    const std::string request = XGPictureRequestLine(a, form);
    if (!stream.WriteAll(int32(request.size()), request.data())) {
        result = kXGPictureFetch_NoConnection;
        return Attempt::kStop;
    }
    XGHTTPResponse response;
    const XGHTTPReadResult read = XGReadHTTPResponse(stream, response, kXGPictureFetchReplyLimit, true);
    stream.Close();
    bool tryNextForm = false;
    picture.reset(XGPictureFromReply(read, response, a.fileName, result, tryNextForm, contentType));
    if (picture) return Attempt::kPicture;
    return tryNextForm ? Attempt::kNextForm : Attempt::kStop;
}

} // namespace

XGPicture* XGPictureFromReply(XGHTTPReadResult read, const XGHTTPResponse& response, const std::string& fileName,
                              XGPictureFetchResult& result, bool& tryNextForm, std::string& contentType) {
    tryNextForm = false;
    if (read == kXGHTTPRead_TimedOut || read == kXGHTTPRead_Interrupted) {
        result = kXGPictureFetch_TimedOut;
        return nullptr;
    }
    if (read != kXGHTTPRead_OK || (response.hasStatusLine && !HeadersWellFormed(response.headers))) {
        result = kXGPictureFetch_BadReply;
        // A server that sent more than a picture may have would send as much again to the next
        // form: only another kind of failure is worth asking again.
        tryNextForm = read != kXGHTTPRead_TooLarge;
        return nullptr;
    }
    if (response.hasStatusLine && response.status != 200) {
        result = kXGPictureFetch_NotFound;
        tryNextForm = true;
        return nullptr;
    }
    if (response.body.size() > kXGPictureFetchMaxBody) {
        result = kXGPictureFetch_BadReply;
        return nullptr;
    }
    contentType = XGHTTPHeaderValue(response, "Content-Type");
    auto decoded = std::make_unique<XGPicture>();
    if (decoded->LoadFromData(response.body.data(), int32(response.body.size()), fileName, contentType)) {
        result = kXGPictureFetch_OK;
        return decoded.release();
    }
    result = kXGPictureFetch_NotAPicture;
    // A server answering the old request form sends the document alone, error pages
    // included: only a reply with status 200 ends the search.
    tryNextForm = !response.hasStatusLine;
    return nullptr;
}

XGPicture* XGFetchPicture(const char* urlZ, tagRECT* frameP, XGPictureFetchResult* resultP,
                          std::string* contentTypeP) {
    XGPictureFetchResult result = kXGPictureFetch_BadAddress;
    std::unique_ptr<XGPicture> picture;
    std::string contentType;
    XGPictureAddress address;
    if (urlZ && XGParsePictureAddress(urlZ, address)) {
        for (int32 form = 0; form < XGPictureRequestCount(); ++form) {
            if (TryForm(address, form, picture, result, contentType) != Attempt::kNextForm) break;
        }
    }
    if (resultP) *resultP = result;
    if (contentTypeP) *contentTypeP = contentType;
    if (!picture) return nullptr;
    if (frameP) *frameP = picture->GetSrcFrame();
    return picture.release();
}

} // namespace yaaf
