// The sheet as a PNG, encoded by the Windows Imaging Component, and written whole in a
// temporary file beside the target before it is moved over it.
#include "check/screens/sheet.h"
#include "check/fix.h"

#include <objbase.h>
#include <wincodec.h>

namespace check {

namespace {

// The encoder's libraries are loaded when a picture is encoded, not at start: the checker's
// window would otherwise pay for them before it shows anything.
template <typename Procedure>
Procedure Late(const wchar_t *library, const char *name) {
    HMODULE module = LoadLibraryW(library);
    FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    if (!found)
        throw CannotDraw{std::wstring(L"картинку не удалось закодировать в PNG: нет ") + library};
    return reinterpret_cast<Procedure>(reinterpret_cast<void (*)()>(found));
}

// Releases a COM object when it goes.
template <typename Interface>
struct Held {
    Interface *object = nullptr;
    ~Held() {
        if (object) object->Release();
    }
    Interface **operator&() { return &object; }
    Interface *operator->() const { return object; }
};

void Require(HRESULT result, const wchar_t *step) {
    if (FAILED(result)) {
        wchar_t code[16];
        swprintf(code, 16, L"0x%08lX", (unsigned long)result);
        throw CannotDraw{std::wstring(L"картинку не удалось закодировать в PNG: ") + step + L" (" + code + L")"};
    }
}

// A new file beside the picture for its bytes, under a name no other file has.
HANDLE CreateTemporary(const std::wstring &full, std::wstring &name) {
    for (int attempt = 0;; attempt++) {
        name = full + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) + L".tmp";
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
}

}  // namespace

std::string EncodePng(const Picture &picture) {
    // The factory straight from its library: no COM set-up for the thread, which costs more
    // than the whole sheet under Wine and may clash with a caller's own.
    auto createFactory = Late<HRESULT(WINAPI *)(UINT, IWICImagingFactory **)>(L"windowscodecs.dll",
                                                                              "WICCreateImagingFactory_Proxy");
    auto createStream = Late<decltype(&CreateStreamOnHGlobal)>(L"ole32.dll", "CreateStreamOnHGlobal");
    auto memoryOf = Late<decltype(&GetHGlobalFromStream)>(L"ole32.dll", "GetHGlobalFromStream");
    Held<IWICImagingFactory> factory;
    Require(createFactory(WINCODEC_SDK_VERSION, &factory), L"нет Windows Imaging Component");
    Held<IWICBitmap> bitmap;
    Require(factory->CreateBitmapFromMemory(picture.width, picture.height, GUID_WICPixelFormat32bppBGR,
                                            picture.width * 4, (UINT)(picture.pixels.size() * 4),
                                            (BYTE *)picture.pixels.data(), &bitmap),
            L"растр");
    Held<IStream> stream;
    Require(createStream(nullptr, TRUE, &stream), L"поток в памяти");
    Held<IWICBitmapEncoder> encoder;
    Require(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder), L"кодировщик PNG");
    Require(encoder->Initialize(stream.object, WICBitmapEncoderNoCache), L"кодировщик PNG");
    Held<IWICBitmapFrameEncode> frame;
    Require(encoder->CreateNewFrame(&frame, nullptr), L"кадр");
    Require(frame->Initialize(nullptr), L"кадр");
    Require(frame->SetSize(picture.width, picture.height), L"размер кадра");
    Require(frame->WriteSource(bitmap.object, nullptr), L"запись точек");
    Require(frame->Commit(), L"кадр");
    Require(encoder->Commit(), L"файл PNG");
    HGLOBAL memory = nullptr;
    Require(memoryOf(stream.object, &memory), L"поток в памяти");
    STATSTG status{};
    Require(stream->Stat(&status, STATFLAG_NONAME), L"поток в памяти");
    const char *bytes = static_cast<const char *>(GlobalLock(memory));
    std::string png(bytes, bytes + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return png;
}

std::wstring WritePng(const Picture &picture, const std::wstring &path) {
    std::string png;
    try {
        png = EncodePng(picture);
    } catch (const CannotDraw &cannot) {
        return cannot.message;
    }
    wchar_t full[MAX_PATH * 2];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 2) return L"слишком длинный или неверный путь к картинке: " + path;
    std::wstring temporary;
    HANDLE file = CreateTemporary(full, temporary);
    if (file == INVALID_HANDLE_VALUE)
        return L"картинку " + path + L" нельзя записать: в её папке нельзя создать файл (" + Why(GetLastError()) + L")";
    DWORD written = 0;
    bool whole = WriteFile(file, png.data(), (DWORD)png.size(), &written, nullptr) && written == png.size() &&
                 FlushFileBuffers(file);
    DWORD error = GetLastError();
    CloseHandle(file);
    if (whole && MoveFileExW(temporary.c_str(), full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return L"";
    if (whole) error = GetLastError();
    DeleteFileW(temporary.c_str());
    return L"картинку " + path + L" не удалось записать (" + Why(error) + L")";
}

}  // namespace check
