#include "speech/sapi_engine.h"

#include <windows.h>
// After windows.h, which it needs.
#include <sapi.h>

#include <cstdio>

#include "speech/sapi_parts.h"

namespace fortuna {

namespace {

constexpr const char* kNoVoice = "No hay voces avanzadas (SAPI5) instaladas";

std::string describe(HRESULT result, const char* operation) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  return std::string(kNoVoice) + " (SAPI " + operation + ": " + code + ")";
}

std::wstring wide(std::string_view utf8) {
  const std::u16string text = sapi::utf16_from_utf8(utf8);
  return std::wstring(text.begin(), text.end());
}

// The installed voices' tokens, in SAPI's order; each must be released.
HRESULT voice_tokens(std::vector<ISpObjectToken*>& tokens) {
  ISpObjectTokenCategory* category = nullptr;
  HRESULT result =
      CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_ISpObjectTokenCategory,
                       reinterpret_cast<void**>(&category));
  if (FAILED(result)) return result;
  IEnumSpObjectTokens* list = nullptr;
  result = category->SetId(SPCAT_VOICES, FALSE);
  if (SUCCEEDED(result)) result = category->EnumTokens(nullptr, nullptr, &list);
  category->Release();
  if (FAILED(result)) return result;
  for (ISpObjectToken* token = nullptr; list->Next(1, &token, nullptr) == S_OK; token = nullptr)
    tokens.push_back(token);
  list->Release();
  return S_OK;
}

void release(std::vector<ISpObjectToken*>& tokens) {
  for (ISpObjectToken* token : tokens) token->Release();
  tokens.clear();
}

std::string description(ISpObjectToken* token) {
  wchar_t* text = nullptr;
  if (FAILED(token->GetStringValue(nullptr, &text)) || !text) return {};
  std::u16string utf16(text, text + wcslen(text));
  CoTaskMemFree(text);
  return sapi::utf8_from_utf16(utf16);
}

}  // namespace

std::unique_ptr<SapiEngine> SapiEngine::open(std::string& error) {
  const HRESULT started = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  const bool uninitialize = SUCCEEDED(started);
  ISpVoice* voice = nullptr;
  HRESULT result = CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice,
                                    reinterpret_cast<void**>(&voice));
  const char* operation = "SpVoice";
  // Silence is the one text that is safe to speak at start: it proves the voice speaks.
  if (SUCCEEDED(result)) {
    operation = "Speak";
    result = voice->Speak(L"", sapi::kSpeakFlags, nullptr);
  }
  std::vector<ISpObjectToken*> tokens;
  if (SUCCEEDED(result)) {
    operation = "EnumTokens";
    result = voice_tokens(tokens);
  }
  const bool has_voice = !tokens.empty();
  release(tokens);
  if (FAILED(result) || !has_voice) {
    error = FAILED(result) ? describe(result, operation) : kNoVoice;
    if (voice) voice->Release();
    if (uninitialize) CoUninitialize();
    return nullptr;
  }
  // The rate the player chose in Windows' speech settings: a fresh voice's.
  long system_rate = 0;
  if (FAILED(voice->GetRate(&system_rate))) system_rate = 0;
  return std::unique_ptr<SapiEngine>(
      new SapiEngine(voice, uninitialize, static_cast<int>(system_rate)));
}

SapiEngine::SapiEngine(ISpVoice* voice, bool uninitialize, int system_rate)
    : voice_(voice), uninitialize_(uninitialize), system_rate_(system_rate), rate_(system_rate) {}

SapiEngine::~SapiEngine() {
  voice_->Speak(L"", sapi::kSpeakFlags, nullptr);
  voice_->Release();
  if (uninitialize_) CoUninitialize();
}

void SapiEngine::check(long result, const char* operation) {
  if (FAILED(result) && fault_.empty()) fault_ = describe(result, operation);
}

void SapiEngine::create_voice() {
  // One ISpVoice for the run: a fresh voice is the system's voice at the system's rate.
  check(voice_->Speak(L"", sapi::kSpeakFlags, nullptr), "Speak");
  check(voice_->SetVoice(nullptr), "SetVoice");
  set_rate(system_rate_);
}

void SapiEngine::speak(std::string_view utf8) {
  check(voice_->Speak(wide(utf8).c_str(), sapi::kSpeakFlags, nullptr), "Speak");
}

void SapiEngine::wait_until_done() {
  check(voice_->WaitUntilDone(INFINITE), "WaitUntilDone");
}

std::vector<std::string> SapiEngine::list_voices() {
  std::vector<ISpObjectToken*> tokens;
  check(voice_tokens(tokens), "EnumTokens");
  std::vector<std::string> descriptions;
  for (ISpObjectToken* token : tokens) descriptions.push_back(description(token));
  release(tokens);
  return descriptions;
}

void SapiEngine::select_voice(int index) {
  std::vector<ISpObjectToken*> tokens;
  check(voice_tokens(tokens), "EnumTokens");
  if (const auto position = sapi::voice_position(index, tokens.size()))
    check(voice_->SetVoice(tokens[*position]), "SetVoice");
  release(tokens);
}

void SapiEngine::set_rate(int rate) {
  rate_ = rate;
  check(voice_->SetRate(sapi::sapi_rate(rate)), "SetRate");
}

std::string SapiEngine::fault() const {
  return fault_;
}

}  // namespace fortuna
