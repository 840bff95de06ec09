#include "formats/codec_messages.h"

#include <iterator>

#include "util/text_format.h"

namespace vyd {

namespace {

// Where the file's name goes, and what the other string is.
enum class Layout {
    NameAsCaption,         // the message as text, the name as caption
    NameAsText,            // the name as text, the message as caption
    FixedCaption,          // the message under the entry's caption (no name)
    FixedCaptionThenName,  // the message twice: under the entry's caption, then under the name
    Conversion,            // the conversion's own text and caption; no box when it reported nothing
    Unshown,               // no box: the caller reports the failure
};

// The numbers the message's format takes.
enum class Params { None, Size, Number, Bytes, ArraySize };

struct MessageForm {
    int kind;  // the enum value this entry is for (checked below)
    const char* message;
    Layout layout;
    const char* caption = nullptr;
    Params params = Params::None;
    CodecIcon icon = CodecIcon::Exclamation;  // every codec box so far
};

constexpr const char* kGifReadCaption = "error in reading a .GIF file";
constexpr const char* kGifWriteCaption = "error in gifwrite";

#define ERROR_KIND(name) static_cast<int>(CodecError::name)
#define WARNING_KIND(name) static_cast<int>(CodecWarning::name)

constexpr MessageForm kErrorForms[] = {
    {ERROR_KIND(CantOpenFile), "I can't open this file", Layout::NameAsText},
    {ERROR_KIND(UnknownFormat), "this file is no graphics mode that I know of", Layout::NameAsText},
    {ERROR_KIND(TooBig), "this picture is %lld x %lld pixels: too big for me", Layout::NameAsCaption, nullptr,
     Params::Size},
    {ERROR_KIND(CantCreateFile), "I can't open this file", Layout::NameAsCaption},
    {ERROR_KIND(CantWriteFile), "I can't write this file", Layout::NameAsCaption},
    {ERROR_KIND(CantWriteToFile), "I can't write to this file", Layout::NameAsCaption},
    {ERROR_KIND(ConversionFailed), "the picture could not be converted", Layout::Conversion},
    {ERROR_KIND(BadBmp), "bad file BMP", Layout::NameAsCaption},
    {ERROR_KIND(CompressedBmp), "this BMP file is compressed: I can't read it", Layout::NameAsText},
    {ERROR_KIND(BmpNoImageArray), "image array allegedly should be %d bytes long: I can't create it: %x %x",
     Layout::NameAsCaption, nullptr, Params::ArraySize},
    {ERROR_KIND(PcxBadFile), "bad file", Layout::NameAsCaption},
    {ERROR_KIND(PcxNoImageArray), "I can't create the image array", Layout::NameAsCaption},
    {ERROR_KIND(PcxUnknownMode), "I can't handle %1d bits per pixel mode yet", Layout::NameAsCaption, nullptr,
     Params::Number},
    {ERROR_KIND(PcxEof), "eof", Layout::NameAsCaption},
    {ERROR_KIND(PcxNoPaletteMark), "ctrl-L after image not found", Layout::NameAsCaption},
    {ERROR_KIND(PcxModeNotWritable), "I can't write PCX from this mode of image yet", Layout::NameAsCaption},
    {ERROR_KIND(GifHeaderNotRead), "header not read", Layout::FixedCaptionThenName, kGifReadCaption},
    {ERROR_KIND(GifNotGif), "not GIF version 87a or 89a", Layout::FixedCaptionThenName, kGifReadCaption},
    {ERROR_KIND(GifBlockCodeNotRead), "block code not read", Layout::FixedCaptionThenName, kGifReadCaption},
    {ERROR_KIND(GifBlockSizeNotRead), "block size not read", Layout::FixedCaptionThenName, kGifReadCaption},
    {ERROR_KIND(GifBlockNotRead), "block not read", Layout::FixedCaptionThenName, kGifReadCaption},
    {ERROR_KIND(GifSeparatorNotRead), "separator not read", Layout::FixedCaptionThenName, kGifReadCaption},
    {ERROR_KIND(GifImageHeaderNotRead), "image header not read", Layout::FixedCaptionThenName, kGifReadCaption},
    {ERROR_KIND(GifNoPalette), "no palette", Layout::FixedCaptionThenName, kGifReadCaption},
    {ERROR_KIND(GifNoImageArray), "I can't create the image array", Layout::FixedCaptionThenName, kGifReadCaption},
    {ERROR_KIND(GifBadSeparator), "bad separator: 0x%02x", Layout::FixedCaptionThenName, kGifReadCaption,
     Params::Number},
    {ERROR_KIND(GifNoImage), "no image", Layout::FixedCaptionThenName, kGifReadCaption},
    {ERROR_KIND(GifTruecolor), "I can't print truecolor as GIF", Layout::FixedCaption, kGifWriteCaption},
    {ERROR_KIND(GifNothingToWrite), "there is no image to write", Layout::FixedCaption, kGifWriteCaption},
    {ERROR_KIND(GifCantCreateFile), "gifread: I can't open this file", Layout::NameAsText},
    {ERROR_KIND(GifCantWriteToFile), "I can't write to this file", Layout::FixedCaption, "gifwrite"},
    {ERROR_KIND(JpegUnreadable), "I can't read this JPEG file", Layout::NameAsText},
    {ERROR_KIND(JpegNotEncoded), "I can't compress this picture as JPEG", Layout::Unshown},
    {ERROR_KIND(JpegNotWritten), "I can't write this JPEG file", Layout::Unshown},
    {ERROR_KIND(FileTooLong), "this file is %lld bytes long: too long for me", Layout::NameAsCaption, nullptr,
     Params::Bytes},
    {ERROR_KIND(BeyondData), "this file holds far too little for a picture of %lld x %lld pixels",
     Layout::NameAsCaption, nullptr, Params::Size},
};

constexpr MessageForm kWarningForms[] = {
    {WARNING_KIND(Conversion), "the conversion reported a problem", Layout::Conversion},
    {WARNING_KIND(PcxHeaderMismatch), "image may display corrupted", Layout::FixedCaption,
     "mismatch in PCX file header"},
    {WARNING_KIND(GifImageCount), "this file may be a movie and has %d images: I will show the first",
     Layout::NameAsCaption, nullptr, Params::Number},
    {WARNING_KIND(JpegDamaged), "this JPEG file is damaged: parts of the picture may be wrong", Layout::NameAsText},
};

#undef ERROR_KIND
#undef WARNING_KIND

template <size_t N>
constexpr bool inEnumOrder(const MessageForm (&forms)[N]) {
    for (size_t i = 0; i < N; ++i) {
        if (forms[i].kind != static_cast<int>(i)) return false;
    }
    return true;
}
static_assert(inEnumOrder(kErrorForms) && std::size(kErrorForms) == static_cast<size_t>(CodecError::BeyondData) + 1,
              "one error form per CodecError, in enum order");
static_assert(inEnumOrder(kWarningForms) &&
                  std::size(kWarningForms) == static_cast<size_t>(CodecWarning::JpegDamaged) + 1,
              "one warning form per CodecWarning, in enum order");

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
std::string messageText(const MessageForm& form, const CodecDetail& d) {
    switch (form.params) {
        case Params::None: return form.message;
        case Params::Size: return formatText(form.message, static_cast<long long>(d.first), static_cast<long long>(d.second));
        case Params::Number: return formatText(form.message, static_cast<int>(d.first));
        case Params::Bytes: return formatText(form.message, static_cast<long long>(d.first));
        case Params::ArraySize:
            // The size is what the file claims: its size less the pixel offset, wrapped as 32-bit numbers.
            return formatText(form.message, static_cast<int>(static_cast<uint32_t>(d.first - d.second)),
                              static_cast<unsigned>(d.first), static_cast<unsigned>(d.second));
    }
    return form.message;
}
#pragma GCC diagnostic pop

std::vector<CodecBox> boxes(const MessageForm& form, const CodecDetail& d, const std::string& name) {
    const std::string text = messageText(form, d);
    switch (form.layout) {
        case Layout::NameAsCaption: return {{text, name, form.icon}};
        case Layout::NameAsText: return {{name, text, form.icon}};
        case Layout::FixedCaption: return {{text, form.caption, form.icon}};
        case Layout::FixedCaptionThenName: return {{text, form.caption, form.icon}, {text, name, form.icon}};
        case Layout::Conversion:
            if (d.conversion.text.empty()) return {};
            return {{d.conversion.text, d.conversion.caption, form.icon}};
        case Layout::Unshown: return {};
    }
    return {};
}

std::string textAlone(const MessageForm& form, const CodecDetail& d) {
    if (form.layout == Layout::Conversion && !d.conversion.text.empty()) return d.conversion.text;
    return messageText(form, d);
}

}  // namespace

std::vector<CodecBox> codecBoxes(const CodecFailure& failure, const std::string& name) {
    return boxes(kErrorForms[static_cast<size_t>(failure.error)], failure.detail, name);
}

std::vector<CodecBox> codecBoxes(const CodecNotice& notice, const std::string& name) {
    return boxes(kWarningForms[static_cast<size_t>(notice.warning)], notice.detail, name);
}

std::string codecText(const CodecFailure& failure) {
    return textAlone(kErrorForms[static_cast<size_t>(failure.error)], failure.detail);
}

std::string codecText(const CodecNotice& notice) {
    return textAlone(kWarningForms[static_cast<size_t>(notice.warning)], notice.detail);
}

}  // namespace vyd
