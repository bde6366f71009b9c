user_pref("browser.url_history.URL_1", "http://a.example/");
user_pref("browser.url_history.URL_12", "http://b.example/");
user_pref("browser.url_history.URL_123", "x");
  user_pref("browser.url_history.URL_3", "y");
user_pref("browser.url_history.URL_
user_pref("a", 1);
