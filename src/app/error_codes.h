#pragma once
// Every error the application itself reports: its code, its banner title and its details.
// Code 426 belongs to three screens, each with its own texts.

#include <array>

struct TErrorCode {
  int Code;
  const char* Title;
  const char* Details;
};

namespace ErrorCodes {
inline constexpr TErrorCode CantDemoteSelf{0, "Cant demote self", "Can Not Demote self."};
inline constexpr TErrorCode IncorrectParameter{154, "Incorrect Parameter",
                                               "String for showing tabs not in group."};
inline constexpr TErrorCode CanNotAdopt{205, "Can Not Adopt", "This animal is not up for adoption"};
inline constexpr TErrorCode DidNotCreateOutput{252, "Did Not Create Output",
                                               "Could not generate animal reciept."};
inline constexpr TErrorCode CaptchaIncorrect{391, "CAPTCHA Incorrect",
                                             "CAPTCHA entered is different to CAPTCHA. Try again."};
inline constexpr TErrorCode NoLinesInConsole{408, "No Lines In Console",
                                             "Console Does Not Contain Any Text To Export"};
inline constexpr TErrorCode RecordNotFound{413, "Record Not Found",
                                           "Record not found in the database."};
inline constexpr TErrorCode EmailIncorrect{
    425, "Email Incorrect", "Email Address must include an @ followed by a . to be valid"};
inline constexpr TErrorCode NoValueInEdit{426, "No Value In Edit", "Value in edits missing"};
inline constexpr TErrorCode NoTextInAddFields{426, "No text in fields",
                                              "No text found in Add Fields."};
inline constexpr TErrorCode NoTextInProfileFields{426, "No Text In Fields",
                                                  "Text not found in fields."};
inline constexpr TErrorCode NoUserName{427, "Could Not Log In", "No text in username field"};
inline constexpr TErrorCode NoPassword{428, "Could Not Log In", "No text in password field"};
inline constexpr TErrorCode NoResponseFromServer{
    444, "No Response From Server", "No response from server or internet not connected"};
inline constexpr TErrorCode UsernameNotFound{491, "Username Not Found",
                                             "The username you entered does not exist."};
inline constexpr TErrorCode ImageNotFound{492, "Image Not Found", "Image not found"};
inline constexpr TErrorCode DatabaseNotFound{493, "Database Not Found",
                                             "The Database was not found"};
inline constexpr TErrorCode PasswordIncorrect{
    494, "Password Incorrect", "Password provided does not match password in database."};
inline constexpr TErrorCode PasswordsDontMatch{
    498, "Passwords Dont Match", "Passwords do not match. Verify they are the same and try again."};
inline constexpr TErrorCode PasswordTooShort{499, "Password Too Short",
                                             "Password must be over 6 characters"};
inline constexpr TErrorCode UsernameExists{521, "Username Exists",
                                           "Username Taken, choose another."};

// The whole table, in code order.
inline constexpr std::array All{CantDemoteSelf,     IncorrectParameter,    CanNotAdopt,
                                DidNotCreateOutput, CaptchaIncorrect,      NoLinesInConsole,
                                RecordNotFound,     EmailIncorrect,        NoValueInEdit,
                                NoTextInAddFields,  NoTextInProfileFields, NoUserName,
                                NoPassword,         NoResponseFromServer,  UsernameNotFound,
                                ImageNotFound,      DatabaseNotFound,      PasswordIncorrect,
                                PasswordsDontMatch, PasswordTooShort,      UsernameExists};
} // namespace ErrorCodes
