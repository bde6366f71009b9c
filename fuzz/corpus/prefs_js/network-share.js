user_pref("browser.cache.directory", "\\\\fileserver\\profiles\\user\\cache\\");
