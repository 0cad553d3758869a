#pragma once
#include <string>

// Replaces the system's handler of web addresses ("http" and "https") for the life of the
// object, so that a test can open a link without a browser and count the openings.
namespace e2e {

class UrlHandler {
public:
  // program is started with the address as its one argument.
  explicit UrlHandler(const std::string& program);
  ~UrlHandler();
  UrlHandler(const UrlHandler&) = delete;
  UrlHandler& operator=(const UrlHandler&) = delete;

private:
  struct Saved {
    std::string key;
    bool present;
    std::string command;
  };
  Saved saved_[2];
};

}  // namespace e2e
