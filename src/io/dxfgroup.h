#pragma once
// The group-code stream: reads and writes the pairs of a group code and one typed value that
// make up every drawing, export and template file. One object serves both encodings of the same
// group sequence: the text form (two lines per group, the ASCII form of DXF) and the engine's own
// binary form. Keywords are turned into numeric codes on reading and back into text on writing,
// so that every record parser switches on numbers only.

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Result codes of the stream.
inline constexpr int kDxfOk = 0;
inline constexpr int kDxfEnd = 7;  // EOF keyword, end of file inside a binary string, write failure
inline constexpr int kDxfNegativeCode = 11;
inline constexpr int kDxfBadCode = 12;
inline constexpr int kDxfBadReal = 13;
inline constexpr int kDxfBadInteger = 14;
inline constexpr int kDxfLineEof = 15;

// Structure keywords (group code 0).
inline constexpr short kDxfSection = 1500;
inline constexpr short kDxfEndsec = 1501;
inline constexpr short kDxfTable = 1502;
inline constexpr short kDxfEndtab = 1503;
inline constexpr short kDxfEof = 1504;
// Section names (group code 2); read only, writers emit them as name groups.
inline constexpr short kDxfHeader = 1505;
inline constexpr short kDxfTables = 1506;
inline constexpr short kDxfBlocks = 1507;
inline constexpr short kDxfRSections = 1508;
inline constexpr short kDxfEntities = 1509;
// Table and record keywords.
inline constexpr short kDxfAppid = 1511;
inline constexpr short kDxfDimstyle = 1512;
inline constexpr short kDxfLayer = 1513;
inline constexpr short kDxfLtype = 1514;
inline constexpr short kDxfStyle = 1515;
inline constexpr short kDxfView = 1516;
inline constexpr short kDxfVport = 1517;
inline constexpr short kDxfUcs = 1518;
inline constexpr short kDxfEndblk = 1520;
inline constexpr short kDxfSeqend = 1521;
inline constexpr short kDxfTemplate = 1522;
inline constexpr short kDxfEndtemp = 1523;
inline constexpr short kDxfRSection = 1524;
inline constexpr short kDxfEndRSection = 1525;
inline constexpr short kDxfAttrib = 1526;
inline constexpr short kDxfEndAttrib = 1527;
inline constexpr short kDxfViewport = 1528;
inline constexpr short kDxfSmartObject = 1529;
inline constexpr short kDxfEndSmartObj = 1530;
inline constexpr short kDxfSectionData = 1531;
inline constexpr short kDxfEndSectionData = 1532;
inline constexpr short kDxfBase = 1533;
inline constexpr short kDxfEndBase = 1534;
// A keyword that is not in the table.
inline constexpr short kDxfUnknownKeyword = 2000;
// Entity keywords; the same numbers are the entity type codes.
inline constexpr short kDxfLine = 2001;
inline constexpr short kDxfVertex = 2002;
inline constexpr short kDxfEllipse = 2003;
inline constexpr short kDxfCircle = 2004;
inline constexpr short kDxfArc = 2005;
inline constexpr short kDxfPolyline = 2006;
inline constexpr short kDxfText = 2008;
inline constexpr short kDxfDimension = 2009;
inline constexpr short kDxfInsert = 2011;
inline constexpr short kDxfRedge = 2012;
inline constexpr short kDxfPcurve = 2013;
inline constexpr short kDxfImage = 2014;
inline constexpr short kDxfEdge = 2015;
inline constexpr short kDxfBlock = 2016;
inline constexpr short kDxfChord = 2017;
inline constexpr short kDxfTrace = 2018;
inline constexpr short kDxfSegment = 2019;
inline constexpr short kDxfSolid = 2020;

// Integers travel as 16 bits in the stream; a wider value is written as the nearest one that
// fits rather than wrapped, so that a non-zero value stays non-zero and keeps its sign.
inline short ClampToGroupInteger(int value) {
  if (value > 32767) return 32767;
  if (value < -32768) return -32768;
  return static_cast<short>(value);
}

// Size of the line buffer and of the string value: at most 511 characters and the terminator.
inline constexpr int kDxfLineSize = 512;

// The signatures that open a binary file: 18 characters naming the form, then carriage return,
// line feed, 0x1A and a zero byte (22 bytes in all). The groups follow directly.
inline constexpr size_t kBinarySignatureSize = 22;
inline constexpr char kTggSignature[kBinarySignatureSize + 1] = "Tegolux Binary TGG\r\n\x1a";
inline constexpr char kTgmSignature[kBinarySignatureSize + 1] = "Tegolux Binary TGM\r\n\x1a";

class DXFGroup {
 public:
  DXFGroup();
  explicit DXFGroup(FILE* file, bool binary = false);
  virtual ~DXFGroup();
  DXFGroup(const DXFGroup&) = delete;
  DXFGroup& operator=(const DXFGroup&) = delete;

  // Reads the next group (or delivers the pushed-back one); 0 or a result code.
  virtual int GetGroup();
  // Writes the current group: a keyword code as code 0 and its text, any other code with the
  // value its number calls for. 0, or 7 when the file refused the bytes.
  virtual int PutGroup();
  // Pushes the current group back so that the next GetGroup delivers it again. Returns 0.
  virtual int Requeue();

  // The current group.
  short Code() const { return code_; }
  void Code(short code) { code_ = code; }
  short IntValue() const { return int_value_; }
  void IntValue(short value) { int_value_ = value; }
  double RealValue() const { return real_value_; }
  void RealValue(double value) { real_value_ = value; }
  const char* StringValue() const { return string_value_; }
  void StringValue(const char* text);  // bounded copy (511 characters at most), null -> empty
  const char* LineBuffer() const { return line_buffer_; }  // raw text of the last line / raw value

  // Writer conveniences: set the code and the value, then PutGroup; return its result.
  int PutString(short code, const char* text);
  int PutReal(short code, double value);
  int PutInteger(short code, short value);
  int PutKeyword(short keywordCode);  // e.g. PutKeyword(kDxfVertex) writes 0 / VERTEX

  int Mode() const { return mode_; }
  void Mode(int mode) { mode_ = mode; }
  bool Binary() const { return binary_; }
  void Binary(bool binary) { binary_ = binary; }
  // The owner opens and closes the file. The stream reads ahead into its own buffer, so the owner
  // must not read the file directly while the stream reads; setting a file drops buffered input
  // and a pushed-back group. Output goes straight to the file, so fclose flushes it.
  FILE* File() const { return file_; }
  void File(FILE* file);
  bool Requeued() const { return requeued_; }

  // Keyword table look-ups: the text of a keyword code (nullptr when the code is not a writable
  // keyword: section codes and 2000 are not), and the code of a keyword text (kDxfUnknownKeyword
  // when it is not in the table; the comparison is exact and case-sensitive).
  static const char* KeywordText(int code);
  static short KeywordCode(const char* text);

  // The process-wide bytes-consumed counter (32-bit, wraps); advanced by every read.
  static uint32_t BytesConsumed();
  static void ResetBytesConsumed();

 protected:
  virtual int GetCode(short* code);
  virtual int PutCode(short code);
  virtual int GetInt(short* value);
  virtual int PutInt(short value);
  virtual int GetDouble(double* value);
  virtual int PutDouble(double value);
  virtual int GetText(char* buffer, int size);
  virtual int PutText(const char* text);
  virtual int GetLine();

 private:
  static constexpr size_t kInputSize = 64 * 1024;

  // Input buffering: the stream reads the file in large blocks and parses from memory.
  size_t Buffered() const { return input_end_ - input_pos_; }
  bool Fill(size_t wanted);
  bool Have(size_t wanted) { return Buffered() >= wanted || Fill(wanted); }
  void Consume(size_t count);
  void DropInput();
  void SkipPastNewline();

  int GetTextLine();
  int ReadBinaryString(char* dest, int size);
  int WriteBytes(const void* data, size_t size);

  short code_ = 0;
  short int_value_ = 0;
  double real_value_ = 0.0;
  bool requeued_ = false;
  bool binary_ = false;
  bool escaped_code_ = false;  // the last binary code came through the 255 escape
  bool input_ended_ = false;   // the file has delivered its last byte
  int mode_ = 0;
  FILE* file_ = nullptr;
  size_t input_pos_ = 0;
  size_t input_end_ = 0;
  size_t line_length_ = 0;  // characters in the line buffer after a text line
  char line_buffer_[kDxfLineSize] = {};
  char string_value_[kDxfLineSize] = {};
  unsigned char input_[kInputSize] = {};
};
