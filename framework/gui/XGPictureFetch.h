#pragma once
// Fetching a picture from a web address over plain HTTP. Runs on any thread; every connect and
// read waits at most the stream timeout (XGTCPStream), and a body may be 64 MiB at most.

#include "XGTCPStream.h"
#include "XGTypes.h"

#include <string>

namespace yaaf {

class XGPicture;

constexpr size_t kXGPictureFetchMaxBody = size_t(64) * 1024 * 1024;

// The parts of an "http://host[:port]/path" address. False for any other address, and for an
// address without a path (nothing after the host) or with an unreadable port.
struct XGPictureAddress {
    std::string host;     // as written, port included ("example.com:8080")
    std::string hostName; // without the port
    uint16 port = 80;
    std::string path;     // from the "/" after the host on
    std::string fileName; // the text after the last "/"
};
bool XGParsePictureAddress(const std::string& url, XGPictureAddress& out);

// The request lines tried in order, each on a new connection, until one is answered with
// status 200: the path alone, then the host and the path as a path, with "www." before the
// host, as a full address, and as a full address with "www.".
int32 XGPictureRequestCount();
std::string XGPictureRequestLine(const XGPictureAddress& address, int32 form);

// Why a fetch gave no picture (for tests and the log).
enum XGPictureFetchResult : int16 {
    kXGPictureFetch_OK = 0,
    kXGPictureFetch_BadAddress,
    kXGPictureFetch_NoConnection, // connecting failed: the later forms are not tried
    kXGPictureFetch_TimedOut,     // the server fell silent: the later forms are not tried
    kXGPictureFetch_NotFound,     // no form was answered with status 200
    kXGPictureFetch_BadReply,     // unreadable headers, a cut-off or over-long body
    kXGPictureFetch_NotAPicture,  // the body could not be decoded
};

// The most a picture server's reply may hold: room for the headers beside the largest body.
constexpr size_t kXGPictureFetchReplyLimit = kXGPictureFetchMaxBody + 65536;

// What one reply to a request form comes to, however it was read (`read` as XGReadHTTPResponse
// answered): the decoded picture (the caller owns it), or null with the reason in `result`.
// `tryNextForm` tells whether asking with the next request form may still give a picture;
// `contentType` receives the content type of a reply with a body to decode. `fileName` helps
// to tell the format.
XGPicture* XGPictureFromReply(XGHTTPReadResult read, const XGHTTPResponse& response, const std::string& fileName,
                              XGPictureFetchResult& result, bool& tryNextForm, std::string& contentType);

// Fetches and decodes the picture: answers a new picture (the caller owns it) and its frame
// (0, 0, width, height) in frameP, or null. `resultP` tells why when it is not null;
// `contentTypeP` receives the reply's content type.
XGPicture* XGFetchPicture(const char* urlZ, tagRECT* frameP, XGPictureFetchResult* resultP = nullptr,
                          std::string* contentTypeP = nullptr);

} // namespace yaaf
